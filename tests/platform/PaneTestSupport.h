#pragma once
// A pane on its own style table, and a compact view of its items for comparing with tables:
// "P" starts a paragraph, "L" a new line, "+" continues the line; then the text style number and
// the text. Example: {"P0:a", "+1:b", "L0:"}.

#include "RVStyle.h"
#include "RichPane.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using TItemList = std::vector<std::string>;

inline TItemList ItemsOf(const TRichPane& pane)
{
    TItemList items;
    for (int i = 0; i < pane.ItemCount(); ++i) {
        const TRVItem item = pane.ItemInfo(i);
        std::string entry = item.NewParagraph ? "P" : item.NewLine ? "L" : "+";
        entry += std::to_string(item.StyleNo) + ":" + pane.ItemText(i).toStdString();
        items.push_back(entry);
    }
    return items;
}

class TPaneTest : public ::testing::Test
{
protected:
    TPaneTest() : Pane(Style) { Pane.resize(400, 300); }

    // As LoadSettings leaves the table.
    void UseRunTimeFont()
    {
        Style.TextStyles[0].FontName = QStringLiteral("Arial");
        Style.TextStyles[0].Size = 14;
        Pane.Reformat();
    }

    QString Path(const QString& name) const { return Dir.filePath(name); }

    void WriteBytes(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray ReadBytes(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    TRVStyle Style;
    TRichPane Pane;
    QTemporaryDir Dir;
};
