#pragma once
// A list of text lines that reports each completed change, for the list-valued settings of the
// language components. Batches of edits between BeginUpdate and EndUpdate report once, at the end.
// It is deliberately no QObject: it must never appear among the owner's components.

#include <QString>
#include <QStringList>

#include <functional>

class TsmlStringList
{
public:
    TsmlStringList() = default;
    TsmlStringList(const TsmlStringList&) = delete;
    TsmlStringList& operator=(const TsmlStringList&) = delete;
    virtual ~TsmlStringList() = default;

    int Count() const { return static_cast<int>(FLines.size()); }
    const QString& Strings(int index) const { return FLines.at(index); }
    const QStringList& Lines() const { return FLines; }

    void Add(const QString& line);
    void Insert(int index, const QString& line);
    void Delete(int index);
    void Put(int index, const QString& line);
    void Clear();
    // Replaces every line; one change, whatever the lines were before.
    void Assign(const QStringList& lines);

    // The text after the first "=" of the first line whose name (the text before that "=")
    // matches name without regard to case; empty when no line does.
    QString Values(const QString& name) const;

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    // Called after every completed change; set by the list's owner.
    void SetOnChange(std::function<void()> onChange) { FOnChange = std::move(onChange); }

private:
    void Changed();

    QStringList FLines;
    int FUpdateCount = 0;
    std::function<void()> FOnChange;
};
