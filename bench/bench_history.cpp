// The history store on a file of 100,000 entries: adding one, a two-word search and the newest
// 200, each beside the bare SQLite statement that does the same on the same file, which is the
// floor for what the store adds (normalising, the index, the join, building the entries); and
// the history window opened on it with its newest 200 entries, beside reading them alone.

#include "HistoryEntry.h"
#include "HistoryStore.h"
#include "QtBenchmarkMain.h"
#include "SearchQuery.h"
#include "SearchText.h"
#include "frm_History.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int EntryCount = 100000;
constexpr int WordCount = 20000; // per language

// A fixed pseudo-random sequence, so every run measures the same file.
class TSequence
{
public:
    explicit TSequence(std::uint64_t seed) : FState(seed) {}
    std::uint32_t Next()
    {
        FState = FState * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(FState >> 33);
    }
    double Unit() { return Next() / 2147483648.0; }
    // A word rank where rank r comes about 1/r as often, as words of real text do.
    int Rank() { return static_cast<int>(std::exp(Unit() * std::log(double(WordCount)))) - 1; }

private:
    std::uint64_t FState;
};

const char* const EnglishSyllables[] = {"ta", "ro", "min", "sel", "ka",  "dor", "ve", "lin", "pa", "tor",
                                        "me", "st", "an",  "ble", "qui", "gra", "ne", "so",  "fe", "ing"};
const char* const ArabicLetters[] = {"ب", "ت", "ج", "د", "ر", "س", "ع", "ف", "ق", "ك",
                                     "ل", "م", "ن", "ه", "و", "ي", "ح", "ص", "ط", "ش"};
const char* const Marks[] = {"", "", "", "\u064E", "\u0650", "\u064F", "\u0652", ""};

// Word of a given rank: English of two to four syllables, Arabic of three to five letters with
// an article, a hamza on the alef, harakat or a teh marbuta now and then.
QString EnglishWord(int rank)
{
    QString word;
    for (int n = rank, i = 0; i < 2 + rank % 3; ++i, n /= 20)
        word += QLatin1String(EnglishSyllables[(n + i * 7) % 20]);
    return word;
}

QString ArabicWord(int rank)
{
    QString word = rank % 5 == 0 ? QStringLiteral("ال") : rank % 7 == 0 ? QStringLiteral("أ") : QString();
    for (int n = rank, i = 0; i < 3 + rank % 3; ++i, n /= 20) {
        word += QString::fromUtf8(ArabicLetters[(n + i * 3) % 20]);
        word += QString::fromUtf8(Marks[(rank + i) % 8]);
    }
    if (rank % 4 == 1)
        word += QStringLiteral("ة");
    return word;
}

QString Sentence(TSequence& seq, bool arabic, int words)
{
    QString text;
    for (int i = 0; i < words; ++i) {
        if (i)
            text += (i % 12 == 11) ? QStringLiteral(". ") : QStringLiteral(" ");
        const int rank = seq.Rank();
        text += arabic ? ArabicWord(rank) : EnglishWord(rank);
    }
    return text + QLatin1Char('.');
}

// What is pasted into a translator: mostly a sentence or two, now and then a paragraph.
int Length(TSequence& seq)
{
    return seq.Next() % 10 == 0 ? 60 + int(seq.Next() % 120) : 3 + int(seq.Next() % 30);
}

void Exec(QSqlQuery& query)
{
    if (!query.exec()) {
        std::fprintf(stderr, "%s\n", query.lastError().text().toUtf8().constData());
        std::abort();
    }
}

// The file and a store on it, made once for the run.
struct TBenchFile
{
    QTemporaryDir Dir;
    QString Path = Dir.filePath(QStringLiteral("history.sqlite"));
    std::unique_ptr<THistoryStore> Store;
    QString Connection = QStringLiteral("bench-raw");

    TBenchFile()
    {
        Store = std::make_unique<THistoryStore>(Path);
        THistoryEntry first;
        first.Source = QStringLiteral("first");
        first.Translation = QStringLiteral("الأول");
        if (!Store->Add(first)) {
            std::fprintf(stderr, "%s\n", Store->AddError().toUtf8().constData());
            std::abort();
        }
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
        db.setDatabaseName(Path);
        db.open();
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
        Fill(db);
        Store->Newest(1); // the store's connection open and its cache warm, as in a running program
    }

    // The entries as the store writes them, in one transaction.
    static void Fill(QSqlDatabase& db)
    {
        TSequence seq(20240501);
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO entries (time, direction, source, translation, client_id,"
                                      " source_search, translation_search) VALUES (?, ?, ?, ?, ?, ?, ?)"
                                      " ON CONFLICT DO NOTHING"));
        const std::int64_t start = 1704067200000; // 2024-01-01
        // A short text made twice is one entry, as in the store.
        for (int i = 0; i < EntryCount;) {
            const int direction = int(seq.Next() % 2);
            const int words = Length(seq);
            const QString english = Sentence(seq, false, words);
            const QString arabic = Sentence(seq, true, words);
            const QString& source = direction == 0 ? english : arabic;
            const QString& translation = direction == 0 ? arabic : english;
            insert.addBindValue(qint64(start + std::int64_t(i) * 60000));
            insert.addBindValue(direction);
            insert.addBindValue(source);
            insert.addBindValue(translation);
            insert.addBindValue(QStringLiteral("client-%1").arg(seq.Next() % 3));
            insert.addBindValue(NormalizeSearchText(source));
            insert.addBindValue(NormalizeSearchText(translation));
            Exec(insert);
            i += insert.numRowsAffected();
        }
        db.commit();
    }

    QSqlDatabase Raw() const { return QSqlDatabase::database(Connection, false); }
};

TBenchFile& File()
{
    static TBenchFile file;
    return file;
}

// Two-word searches: an English pair and an Arabic pair of middling frequency, as they are
// typed (the last word a beginning) and finished; and the first letter typed, found in most
// entries.
const QString& Query(int index)
{
    static const QString queries[] = {
        EnglishWord(40) + QLatin1Char(' ') + EnglishWord(150).left(4),
        EnglishWord(40) + QLatin1Char(' ') + EnglishWord(150) + QLatin1Char(' '),
        ArabicWord(30) + QLatin1Char(' ') + ArabicWord(120).left(3),
        ArabicWord(30) + QLatin1Char(' ') + ArabicWord(120) + QLatin1Char(' '),
        QStringLiteral("m"),
    };
    return queries[index];
}

void BM_Search(benchmark::State& state)
{
    TBenchFile& file = File();
    const QString& query = Query(int(state.range(0)));
    qsizetype found = 0;
    for (auto _ : state)
        found = file.Store->Search(query).size();
    state.counters["found"] = double(found);
}
BENCHMARK(BM_Search)
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The floors: the same MATCH expression on the bare index, every matching row id read; and the
// 200 newest matches with their indexed texts, the same rows a search shows.
void BareMatch(benchmark::State& state, const QString& sql)
{
    TBenchFile& file = File();
    QSqlQuery match(file.Raw());
    match.setForwardOnly(true);
    match.prepare(sql);
    const QString expression = SearchMatchExpression(Query(int(state.range(0))));
    qsizetype rows = 0;
    for (auto _ : state) {
        match.addBindValue(expression);
        Exec(match);
        rows = 0;
        for (; match.next(); ++rows)
            benchmark::DoNotOptimize(match.value(match.record().count() - 1));
    }
    state.counters["rows"] = double(rows);
}

void BM_BareMatch(benchmark::State& state)
{
    BareMatch(state, QStringLiteral("SELECT rowid FROM entries_search WHERE entries_search MATCH ?"));
}
BENCHMARK(BM_BareMatch)
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_BareMatchNewest200(benchmark::State& state)
{
    BareMatch(state, QStringLiteral("SELECT rowid, source_search, translation_search FROM entries_search"
                                    " WHERE entries_search MATCH ? ORDER BY rowid DESC LIMIT 200"));
}
BENCHMARK(BM_BareMatchNewest200)
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_Newest200(benchmark::State& state)
{
    TBenchFile& file = File();
    for (auto _ : state)
        benchmark::DoNotOptimize(file.Store->Newest(200));
}
BENCHMARK(BM_Newest200)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The floor: the same 200 rows and columns read by a bare statement.
void BM_BareNewest200(benchmark::State& state)
{
    TBenchFile& file = File();
    QSqlQuery newest(file.Raw());
    newest.setForwardOnly(true);
    newest.prepare(QStringLiteral("SELECT id, time, direction, source, translation, client_id FROM entries"
                                  " ORDER BY id DESC LIMIT 200"));
    for (auto _ : state) {
        Exec(newest);
        while (newest.next())
            benchmark::DoNotOptimize(newest.value(3));
    }
}
BENCHMARK(BM_BareNewest200)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Last, so that the searches above all measure the same file.
void BM_Add(benchmark::State& state)
{
    TBenchFile& file = File();
    TSequence seq(7);
    int n = 0;
    for (auto _ : state) {
        THistoryEntry entry;
        entry.Source = QStringLiteral("added %1 ").arg(n++) + Sentence(seq, false, 12);
        entry.Translation = Sentence(seq, true, 12);
        entry.ClientId = QStringLiteral("client-1");
        if (!file.Store->Add(entry))
            state.SkipWithError(file.Store->AddError().toUtf8().constData());
    }
}
BENCHMARK(BM_Add)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The floor: one row into a plain table of the same file, committed the same way.
void BM_BareInsert(benchmark::State& state)
{
    TBenchFile& file = File();
    QSqlDatabase db = file.Raw();
    QSqlQuery(db).exec(QStringLiteral("CREATE TABLE IF NOT EXISTS bare (time INTEGER, direction INTEGER,"
                                      " source TEXT, translation TEXT, client_id TEXT)"));
    TSequence seq(7);
    int n = 0;
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO bare VALUES (?, 0, ?, ?, 'client-1')"));
    for (auto _ : state) {
        db.transaction();
        insert.addBindValue(qint64(n));
        insert.addBindValue(QStringLiteral("added %1 ").arg(n++) + Sentence(seq, false, 12));
        insert.addBindValue(Sentence(seq, true, 12));
        Exec(insert);
        db.commit();
    }
}
BENCHMARK(BM_BareInsert)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The history window opened on the file and shown with its newest 200 entries, beside
// BM_Newest200, which reads the same entries without a window.
void BM_OpenHistoryWindow(benchmark::State& state)
{
    TBenchFile& file = File();
    const QString settings = file.Dir.filePath(QStringLiteral("Zorvanel.ini"));
    for (auto _ : state) {
        TfrmHistory window(settings, file.Path);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.Entries().size());
    }
}
BENCHMARK(BM_OpenHistoryWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks<QApplication>(argc, argv);
}
