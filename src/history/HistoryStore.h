// SPDX-License-Identifier: GPL-3.0-or-later
// The history database "history.sqlite": one row per connection and its samples.
#pragma once

#include "history/HistoryTypes.h"
#include "history/SampleBlock.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

inline constexpr char kHistoryFile[] = "history.sqlite";

// Why the history could not be opened, read or written.
enum class HistoryProblem {
    None,
    NoDriver,     // Qt's SQLite driver is not installed
    NotFound,     // read-only use and there is no file
    CannotOpen,   // the folder or the file cannot be opened (rights, a missing folder)
    NewerFormat,  // written by a newer version of the program; left as it is
    OlderFormat,  // read-only use of a file the program has not yet upgraded
    ReadOnly,     // the file or its folder cannot be written
    DiskFull,     // the disk (or the database's size limit) is full
    Busy,         // another program holds a lock on the file
    Foreign,      // another program's database: left as it is
    Corrupt,      // SQLite finds the file damaged
    Failed,       // any other database failure
};

struct HistoryError {
    HistoryProblem problem = HistoryProblem::None;
    QString detail;  // the database's own words, for diagnostics
};

class DirectQuery;

// Every call runs on the calling thread and returns within milliseconds: a write is one
// short transaction in a write-ahead log, without waiting for the disk.
class HistoryStore {
public:
    enum class Mode { ReadWrite, ReadOnly };

    explicit HistoryStore(QString path);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Opens the file, creating and upgrading it in ReadWrite mode. A file SQLite finds
    // damaged is moved aside with its log, index and journal as "<file>.corrupt-<date>"
    // (never deleted) and a new one is started; then MovedAside() names it. Any other
    // failure (a full disk, a lock, no right to write) leaves the file untouched.
    [[nodiscard]] bool Open(Mode mode = Mode::ReadWrite);
    // For damage found after opening: moves the file aside and begins a new history.
    [[nodiscard]] bool StartAfresh();
    bool IsOpen() const { return open_; }
    void Close();
    const QString& Path() const { return path_; }
    const QString& MovedAside() const { return movedAside_; }
    // The problem of the last call that failed.
    const HistoryError& LastError() const { return error_; }
    // The name of the Qt SQL connection, for tests that need to reach the file directly.
    const QString& ConnectionName() const { return connectionName_; }

    // Writes. Each is one transaction: on failure nothing of it is stored.
    [[nodiscard]] std::optional<int64_t> BeginConnection(const ConnectionStart& start);
    // A sample of the cumulative figures at `at`; the row takes them, and their split by
    // tariff class, as its latest.
    [[nodiscard]] bool AddSample(int64_t id, const QDateTime& at, const ConnectionFigures& figures,
                                 const ClassShares& classes = {});
    // Moves the row's start (a connection found already up began before it was seen).
    [[nodiscard]] bool SetStart(int64_t id, const QDateTime& start);
    // The final figures become the last sample; the row is closed at `end`.
    [[nodiscard]] bool FinishConnection(int64_t id, const QDateTime& end,
                                        const ConnectionFigures& figures, int tariffType,
                                        bool booked, const ClassShares& classes = {});
    // Closes an open row at its last sample (its start when it has none) as cut short.
    [[nodiscard]] bool CloseCutShort(int64_t id);
    // An alert, recorded once: false when it was recorded before or cannot be.
    [[nodiscard]] bool RecordAlert(const QString& key, const QDateTime& at);
    [[nodiscard]] bool AlertRecorded(const QString& key);

    // Copies the write-ahead log into the file on a thread of the global pool (one copy at
    // a time): the only work that waits for the disk. The last close copies it as well.
    void CheckpointInBackground();

    // Reads; on failure they give nothing and LastError() says why.
    // The rows still open, with their split by tariff class.
    QList<ConnectionRecord> OpenConnections();
    // Connections that were up at some moment of [from, to), oldest first.
    QList<ConnectionRecord> Connections(const QDateTime& from, const QDateTime& to);
    // What all connections used in (from, to], from their samples.
    Usage UsageBetween(const QDateTime& from, const QDateTime& to);
    // Usage per span of ascending boundaries: (b0, b1], (b1, b2]...; a sample belongs to
    // the span its time falls into, so a connection over midnight is split at its minute.
    // A connection's figures at a boundary are those of the last sample taken at or
    // before it, so a clock put back never makes a span's usage fall. The cost follows
    // the connections and the boundaries within them, not all boundaries.
    QList<Usage> UsageBySpans(const QList<QDateTime>& boundaries);
    // What each sample in (from, to] added to its connection's figures, all connections
    // together in time order: the steps the plan's included volume is used up by.
    std::optional<QList<Usage>> StepsBetween(const QDateTime& from, const QDateTime& to);
    // The start of the oldest connection; nothing when there is none.
    std::optional<QDateTime> FirstStart();

private:
    bool OpenFile(Mode mode);
    bool Connect(Mode mode);
    bool Prepare(Mode mode);  // checks the header, sets the journal, upgrades
    bool Fail(const QSqlError& error);
    bool Fail(HistoryProblem problem, const QString& detail);
    bool Exec(QSqlQuery& query);
    bool Exec(const QString& statement);
    // Prepares, binds and runs one statement; the query is handed back for its results. A
    // statement whose results are not asked for is prepared once while the file is open.
    bool Run(const QString& statement, const QVariantList& values, QSqlQuery* result = nullptr);
    // For a statement run many times: prepared once, bound and run each time.
    bool PrepareStatement(QSqlQuery& query, const QString& statement);
    bool RunPrepared(QSqlQuery& query, const QVariantList& values);
    bool InsertSample(int64_t id, const QDateTime& at, const ConnectionFigures& figures);
    // Unpacks a block; a block that does not read is damage.
    std::optional<QList<StoredSample>> Unpacked(const QByteArray& blob);
    // Upgrading: the samples of an older file into blocks, within its transaction.
    bool MoveSamplesIntoBlocks();
    bool WriteClasses(int64_t id, const ClassShares& classes);
    std::optional<ClassShares> ClassesOf(int64_t id);
    bool Foreign();  // true, and LastError() says why, unless the file is ours or empty
    bool FoundDamaged();
    // The times of a connection's first and last samples, UTC seconds, and all it used.
    struct SampledSpan {
        int64_t id = 0;
        int64_t first = 0;
        int64_t last = 0;
        Usage whole;
    };
    std::optional<QList<SampledSpan>> SampledBetween(int64_t from, int64_t to);
    bool InTransaction(const std::function<bool()>& work);
    bool MoveAside();
    // The figures of the sample taken last at or before the time (kLastBlockAtOrBefore).
    std::optional<Usage> LastTakenAtOrBefore(DirectQuery& block, int64_t id, int64_t secondsUtc);

    QString path_;
    QString connectionName_;
    std::shared_ptr<std::atomic<bool>> checkpointing_ = std::make_shared<std::atomic<bool>>(false);
    bool open_ = false;
    QString movedAside_;
    HistoryError error_;
    // The writes prepared so far on the open file, by their text: each minute's sample runs
    // the same few, and preparing one costs more than running it.
    QHash<QString, QSqlQuery> writes_;
};
