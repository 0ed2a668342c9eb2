#include "SMLStringList.h"

void TsmlStringList::Add(const QString& line)
{
    FLines.append(line);
    Changed();
}

void TsmlStringList::Insert(int index, const QString& line)
{
    FLines.insert(index, line);
    Changed();
}

void TsmlStringList::Delete(int index)
{
    FLines.removeAt(index);
    Changed();
}

void TsmlStringList::Put(int index, const QString& line)
{
    FLines[index] = line;
    Changed();
}

void TsmlStringList::Clear()
{
    if (FLines.isEmpty())
        return;
    FLines.clear();
    Changed();
}

void TsmlStringList::Assign(const QStringList& lines)
{
    BeginUpdate();
    FLines = lines;
    EndUpdate();
}

QString TsmlStringList::Values(const QString& name) const
{
    for (const QString& line : FLines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && QStringView(line).left(equals).compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1);
    }
    return {};
}

void TsmlStringList::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TsmlStringList::Changed()
{
    // The handler may start a pass that throws; the list is already consistent by then.
    if (FUpdateCount == 0 && FOnChange)
        FOnChange();
}
