// The collections of one control. Qt keeps them in the view's model, so each text is a model
// datum or a header datum. The kinds map as follows:
//   list view    -> QListView / QListWidget: columns are the model's horizontal header sections;
//                   an item is a row of the view's root, its caption the view's model column and
//                   its sub-items the row's other columns, in order;
//   tree view    -> QTreeView / QTreeWidget: every node below the root, parents before children,
//                   its text in column 0;
//   header       -> a QHeaderView standing on its own: its sections in its orientation;
//   data grid    -> QTableView / QTableWidget: the model's horizontal header sections.
// Only data that holds a string is a text; anything else reads as empty, and a model that
// refuses a datum ignores the assignment, as a property of another type would.

#include "PropertyAccess.h"
#include "SMLLangRes.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QList>
#include <QListView>
#include <QPersistentModelIndex>
#include <QTableView>
#include <QTreeView>

namespace {

QString AsText(const QVariant& value)
{
    return value.metaType().id() == QMetaType::QString ? value.toString() : QString();
}

TTextAccess HeaderText(QAbstractItemModel* model, int section, Qt::Orientation orientation)
{
    return {[=] { return AsText(model->headerData(section, orientation, Qt::DisplayRole)); },
            [=](const QString& text) { model->setHeaderData(section, orientation, text, Qt::DisplayRole); }};
}

// A persistent index, so that a model that re-sorts on a changed text still gets each text right.
TTextAccess ItemText(QAbstractItemModel* model, const QPersistentModelIndex& index)
{
    return {[=] { return index.isValid() ? AsText(index.data(Qt::DisplayRole)) : QString(); },
            [=](const QString& text) {
                if (index.isValid())
                    model->setData(index, text, Qt::EditRole);
            }};
}

QString Indexed(const QString& name, const char* piece, int i)
{
    return name + QLatin1String(piece) + QString::number(i) + u']';
}

void CollectNodes(const QAbstractItemModel* model, const QModelIndex& parent,
                  QList<QPersistentModelIndex>& nodes)
{
    for (int row = 0, rows = model->rowCount(parent); row < rows; ++row) {
        const QModelIndex node = model->index(row, 0, parent);
        nodes.append(node);
        CollectNodes(model, node, nodes);
    }
}

} // namespace

void TsmlLangRes::TranslateHeaderSections(QHeaderView* header)
{
    QAbstractItemModel* model = header->model();
    if (!model)
        return;
    const QString name = header->objectName();
    for (int i = 0, count = header->count(); i < count; ++i)
        TranslateText(Indexed(name, "_SectionsText[", i), HeaderText(model, i, header->orientation()));
}

void TsmlLangRes::TranslateListViewColumns(QListView* listView)
{
    QAbstractItemModel* model = listView->model();
    if (!model)
        return;
    const QString name = listView->objectName();
    for (int i = 0, count = model->columnCount(listView->rootIndex()); i < count; ++i)
        TranslateText(Indexed(name, "_ColumnCaption[", i), HeaderText(model, i, Qt::Horizontal));
}

void TsmlLangRes::TranslateListViewItems(QListView* listView)
{
    QAbstractItemModel* model = listView->model();
    if (!model)
        return;
    const QString name = listView->objectName();
    const QModelIndex root = listView->rootIndex();
    const int captionColumn = listView->modelColumn();
    const int rows = model->rowCount(root);
    const int columns = model->columnCount(root);

    QList<QList<QPersistentModelIndex>> items;
    for (int row = 0; row < rows; ++row) {
        QList<QPersistentModelIndex> cells{model->index(row, captionColumn, root)};
        for (int column = 0; column < columns; ++column) {
            if (column != captionColumn)
                cells.append(model->index(row, column, root));
        }
        items.append(cells);
    }

    for (int i = 0; i < items.size(); ++i) {
        TranslateText(Indexed(name, "_ItemCaption[", i), ItemText(model, items[i].front()));
        const QString subItem = Indexed(name, "_SubItem[", i) + QStringLiteral("Caption[");
        for (int j = 1; j < items[i].size(); ++j)
            TranslateText(subItem + QString::number(j - 1) + u']', ItemText(model, items[i][j]));
    }
}

void TsmlLangRes::TranslateTreeViewItems(QTreeView* treeView)
{
    QAbstractItemModel* model = treeView->model();
    if (!model)
        return;
    QList<QPersistentModelIndex> nodes;
    CollectNodes(model, treeView->rootIndex(), nodes);
    const QString name = treeView->objectName();
    for (int i = 0; i < nodes.size(); ++i)
        TranslateText(Indexed(name, "_ItemText[", i), ItemText(model, nodes[i]));
}

void TsmlLangRes::TranslateDBGridColumns(QTableView* grid)
{
    QAbstractItemModel* model = grid->model();
    if (!model)
        return;
    const QString name = grid->objectName();
    for (int i = 0, count = model->columnCount(grid->rootIndex()); i < count; ++i)
        TranslateText(Indexed(name, "_ColumnsCaption[", i), HeaderText(model, i, Qt::Horizontal));
}
