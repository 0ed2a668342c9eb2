#pragma once
// The base of every window of the program: the look all windows share (button-face background,
// Tahoma 9 pt, tool tips), centring on the screen when first shown, and the base creation step.
// A QDialog, the main window too, for the default button that Enter presses.

#include <QDialog>
#include <QFrame>

// A panel: a plain frame whose background colour is its own business. Windows mark their panels
// with this class (or one derived from it) rather than by name, so ClearPanelParentBackground
// finds exactly them.
class TPanel : public QFrame
{
    Q_OBJECT

public:
    using QFrame::QFrame;
};

class TfrmRoot : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmRoot(QWidget* parent = nullptr);

    // The base creation step. A window's constructor calls FormCreate as its last step, once its
    // controls exist (a base constructor cannot reach an override); overrides that want the base
    // step run TfrmRoot::FormCreate first.
    virtual void FormCreate();

protected:
    // A fixed client area of width by height: not resizable, no maximise button.
    void SetFixedClientSize(int width, int height);

    void showEvent(QShowEvent* event) override;

private:
    bool FPlaced = false;
};

// Lets every panel of the window whose colour is not the button-face colour paint its own
// background instead of showing the window's through it.
void ClearPanelParentBackground(QWidget* window);
