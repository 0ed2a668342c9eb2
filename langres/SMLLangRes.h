#pragma once
// The base of the language components: binds one language file (an INI file, one section per
// window class) to the component's owner and holds every rule of that file format. What is
// translated is up to the descendants' ApplyLanguage.

#include "SMLOwners.h"

#include <QObject>
#include <QString>

#include <stdexcept>

class QHeaderView;
class QListView;
class QTableView;
class QTreeView;
struct TTextAccess;

// Raised when a component is created on something that is no form, frame or data module.
class TsmlOwnerError : public std::runtime_error
{
public:
    TsmlOwnerError();
};

class TsmlLangRes : public QObject
{
    Q_OBJECT
    // Published in the order a stored window description sets them; each descendant adds its
    // own after these and publishes Active last.
    Q_PROPERTY(QString LangFileName READ LangFileName WRITE SetLangFileName)
    Q_PROPERTY(bool IgnoreEmptyString READ IgnoreEmptyString WRITE SetIgnoreEmptyString)
    Q_PROPERTY(bool AutoCreateMode READ AutoCreateMode WRITE SetAutoCreateMode)
    Q_PROPERTY(bool AddBracket READ AddBracket WRITE SetAddBracket)

public:
    // owner becomes the QObject parent; throws TsmlOwnerError unless it is a form, a data module
    // or a frame.
    explicit TsmlLangRes(QObject* owner);

    // The file-name part of ResolvedFileName.
    QString LangFileName() const;
    // Resolves value below the executable's folder, then runs a pass.
    void SetLangFileName(const QString& value);
    const QString& ResolvedFileName() const { return FResolvedFileName; }

    bool IgnoreEmptyString() const { return FIgnoreEmptyString; }
    void SetIgnoreEmptyString(bool value);
    bool AutoCreateMode() const { return FAutoCreateMode; }
    void SetAutoCreateMode(bool value);
    bool AddBracket() const { return FAddBracket; }
    // Only stored: it matters for the next write-back, not for what is read.
    void SetAddBracket(bool value) { FAddBracket = value; }
    bool Active() const { return FActive; }
    void SetActive(bool value);

    // Set by a form designer while it edits the owner: no pass runs, so neither the designer's
    // texts nor the language file change.
    bool Designing() const { return FDesigning; }
    void SetDesigning(bool value) { FDesigning = value; }

    // Exactly one of these is set, for the component's whole life; none of them owns anything.
    QWidget* OwnerForm() const { return FOwnerForm; }
    TDataModule* OwnerDataModule() const { return FOwnerDataModule; }
    TFrame* OwnerFrame() const { return FOwnerFrame; }

    // Runs the pass when active and not being designed.
    void UpdateLanguage();

    // One pair of enclosing angle brackets removed, when the text both begins with "<" and ends
    // with ">"; otherwise the text unchanged.
    static QString DecodeLangValue(const QString& text);
    // The text between "<" and ">" when AddBracket is set, so that the INI layer keeps blanks.
    QString EncodeLangValue(const QString& text) const;

protected:
    virtual void ApplyLanguage() = 0;

    // The decoded value of key, or empty when it is missing; a missing key is written back with
    // defaultText under AutoCreateMode.
    QString ReadLangString(const QString& key, const QString& defaultText);

    void TranslateFont(QObject* control);
    void TranslateStringProperty(QObject* component, const QString& propertyName);
    void TranslateStringsProperty(QObject* component, const QString& propertyName);
    void TranslateHeaderSections(QHeaderView* header);
    void TranslateListViewColumns(QListView* listView);
    void TranslateListViewItems(QListView* listView);
    void TranslateTreeViewItems(QTreeView* treeView);
    void TranslateDBGridColumns(QTableView* grid);

private:
    QString Section() const;
    QString ReadValue(const QString& key) const;
    int ReadInteger(const QString& key, int defaultValue) const;
    void WriteValue(const QString& key, const QString& value);
    // The rule every text follows: a present value is decoded and assigned; otherwise the text
    // stays and, under AutoCreateMode, is written back.
    void TranslateText(const QString& key, const TTextAccess& text);
    void WriteBack(const QString& key, const QString& currentText);

    bool FActive = false;
    QString FResolvedFileName = QStringLiteral("DefLang.ini");
    bool FIgnoreEmptyString = false;
    bool FAutoCreateMode = true;
    bool FAddBracket = false;
    QWidget* FOwnerForm = nullptr;
    TDataModule* FOwnerDataModule = nullptr;
    TFrame* FOwnerFrame = nullptr;
    bool FDesigning = false;
};
