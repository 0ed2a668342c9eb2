#include "frm_History.h"

#include "AppServices.h"
#include "ApplicationTitle.h"
#include "HistoryError.h"
#include "HistorySettings.h"
#include "HistoryStore.h"

#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum TColumn
{
    ColTime,
    ColDirection,
    ColSource,
    ColTranslation,
};

QString DirectionText(int direction)
{
    return direction != 0 ? QStringLiteral("Arabic → English") : QStringLiteral("English → Arabic");
}

QString FirstLine(const QString& text)
{
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return end < 0 ? text : text.left(end);
}

// Arabic reads from the right: its cells are aligned there, and the bidirectional algorithm,
// told the paragraph's direction by a mark, orders it right to left.
void SetTextCell(QTreeWidgetItem* item, int column, const QString& text, bool arabic)
{
    const QChar mark = arabic ? QChar(0x200F) : QChar(0x200E);
    item->setText(column, mark + FirstLine(text));
    item->setTextAlignment(column, (arabic ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

} // namespace

TfrmHistory::TfrmHistory(const QString& settingsFile, const QString& historyFile, QWidget* parent)
    : TfrmRoot(parent), FSettingsFile(settingsFile), FHistoryFile(historyFile)
{
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("History"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setModal(false);

    edtSearch = new QLineEdit(this);
    edtSearch->setObjectName(QStringLiteral("edtSearch"));
    edtSearch->setPlaceholderText(QStringLiteral("Search in English or Arabic"));
    edtSearch->setClearButtonEnabled(true);
    edtSearch->installEventFilter(this);

    labProblem = new QLabel(this);
    labProblem->setObjectName(QStringLiteral("labProblem"));
    labProblem->setWordWrap(true);
    QPalette palette = labProblem->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    labProblem->setPalette(palette);
    labProblem->hide();

    lvEntries = new QTreeWidget(this);
    lvEntries->setObjectName(QStringLiteral("lvEntries"));
    lvEntries->setRootIsDecorated(false);
    lvEntries->setUniformRowHeights(true);
    lvEntries->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvEntries->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("Direction"), QStringLiteral("Source"),
                                QStringLiteral("Translation")});
    lvEntries->header()->setStretchLastSection(true);
    lvEntries->installEventFilter(this);

    chkKeep = new QCheckBox(QStringLiteral("Keep a history of translations"), this);
    chkKeep->setObjectName(QStringLiteral("chkKeep"));
    chkKeep->setChecked(HistoryKept(FSettingsFile));
    btnClear = new QPushButton(QStringLiteral("Clear History"), this);
    btnClear->setObjectName(QStringLiteral("btnClear"));
    btnClear->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chkKeep);
    bottom->addStretch();
    bottom->addWidget(btnClear);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edtSearch);
    layout->addWidget(labProblem);
    layout->addWidget(lvEntries, 1);
    layout->addLayout(bottom);
    resize(640, 420);

    connect(edtSearch, &QLineEdit::textChanged, this, &TfrmHistory::Refresh);
    connect(lvEntries, &QTreeWidget::itemActivated, this, &TfrmHistory::ChooseCurrent);
    connect(btnClear, &QPushButton::clicked, this, &TfrmHistory::ClearAll);
    connect(chkKeep, &QCheckBox::toggled, this, [this](bool kept) {
        try {
            SetHistoryKept(FSettingsFile, kept);
        } catch (const std::exception& error) {
            ShowProblem(QString::fromUtf8(error.what()));
        }
    });

    FormCreate();
    // Widths from the texts the columns hold, not from measuring every row.
    const QFontMetrics metrics(lvEntries->font());
    const int padding = 3 * metrics.averageCharWidth();
    lvEntries->setColumnWidth(ColTime,
                              metrics.horizontalAdvance(QLocale().toString(
                                  QDateTime(QDate(2000, 12, 28), QTime(23, 58, 58)), QLocale::ShortFormat)) +
                                  padding);
    lvEntries->setColumnWidth(ColDirection, metrics.horizontalAdvance(DirectionText(1)) + padding);
    lvEntries->setColumnWidth(ColSource, 220);
    Refresh();
}

TfrmHistory::~TfrmHistory() = default;

void TfrmHistory::ShowProblem(const QString& text)
{
    labProblem->setText(text);
    labProblem->setVisible(!text.isEmpty());
}

template <class TAction> void TfrmHistory::WithStore(TAction&& action)
{
    try {
        if (!FStore) {
            FStore = std::make_unique<THistoryStore>(FHistoryFile);
        }
        action(*FStore);
    } catch (const std::exception& error) {
        ShowProblem(QString::fromUtf8(error.what()));
    }
}

void TfrmHistory::Refresh()
{
    FEntries.clear();
    if (QFile::exists(FHistoryFile)) {
        WithStore([this](THistoryStore& store) { FEntries = store.Search(edtSearch->text()); });
    }
    lvEntries->clear();
    const QLocale locale;
    QList<QTreeWidgetItem*> items;
    for (const THistoryEntry& entry : std::as_const(FEntries)) {
        auto* item = new QTreeWidgetItem;
        const bool fromArabic = entry.Direction != 0;
        item->setText(ColTime, locale.toString(entry.Time.toLocalTime(), QLocale::ShortFormat));
        item->setText(ColDirection, DirectionText(entry.Direction));
        SetTextCell(item, ColSource, entry.Source, fromArabic);
        SetTextCell(item, ColTranslation, entry.Translation, !fromArabic);
        items.append(item);
    }
    lvEntries->addTopLevelItems(items);
    if (!items.isEmpty()) {
        lvEntries->setCurrentItem(items.first(), 0, QItemSelectionModel::NoUpdate);
    }
}

void TfrmHistory::ChooseCurrent()
{
    const int row = lvEntries->indexOfTopLevelItem(lvEntries->currentItem());
    if (row >= 0 && row < FEntries.size()) {
        emit EntryChosen(FEntries[row]);
    }
}

void TfrmHistory::RemoveSelected()
{
    QList<int64_t> ids;
    for (QTreeWidgetItem* item : lvEntries->selectedItems()) {
        const int row = lvEntries->indexOfTopLevelItem(item);
        if (row >= 0 && row < FEntries.size()) {
            ids.append(FEntries[row].Id);
        }
    }
    if (ids.isEmpty()) {
        return;
    }
    WithStore([&ids](THistoryStore& store) { store.Remove(ids); });
    Refresh();
}

void TfrmHistory::ClearAll()
{
    if (FEntries.isEmpty() && edtSearch->text().isEmpty()) {
        return;
    }
    if (AppServices().ShowMessage(this, ApplicationTitle(),
                                  QStringLiteral("Remove every translation from the history?"), 3) != 1) {
        return;
    }
    WithStore([](THistoryStore& store) { store.Clear(); });
    Refresh();
}

bool TfrmHistory::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edtSearch && event->type() == QEvent::KeyPress) {
        // From the search field, Enter takes the first entry found and Down goes to the list.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ChooseCurrent();
            return true;
        }
        if (key->key() == Qt::Key_Down && lvEntries->topLevelItemCount() > 0) {
            lvEntries->setFocus();
            return true;
        }
    }
    if (watched == lvEntries && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            RemoveSelected();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ChooseCurrent();
            return true;
        }
    }
    return TfrmRoot::eventFilter(watched, event);
}
