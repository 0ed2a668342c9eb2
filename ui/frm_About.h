#pragma once
// The about box: the product, its version and the copyright notice. Created, shown modally and
// freed by the main window's About command.

#include "frm_Root.h"

// The product and its version as the box shows them; the window program's --version prints them too.
inline constexpr char AboutProduct[] = "FREE Zorvanel Translator";
inline constexpr char AboutVersion[] = "Ver 4.0.0 (Build 20160809)";

class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;

class TfrmAbout final : public TfrmRoot
{
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    void FormCreate() override;

    QPushButton* btnOk = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* labProduct = nullptr;
    QLabel* labVer = nullptr;
    QLabel* labCopy = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
