// SPDX-License-Identifier: GPL-3.0-or-later
// The history database: opening, upgrading, moving a damaged file aside, reads and writes.
#include "history/HistoryStore.h"

#include "core/Logging.h"
#include "history/DirectQuery.h"
#include "history/HistorySchema.h"
#include "history/SampleBlock.h"

#include <QAtomicInteger>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QThread>
#include <QThreadPool>
#include <QVariant>

#include <algorithm>
#include <vector>

namespace {

// SQLite's primary result codes, as Qt's driver reports them.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteIoError = 10;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADatabase = 26;

constexpr int kCheckpointWaitMs = 5000;
// Less room than this on the disk makes an input/output error a full disk: SQLite says
// no more when it cannot grow the index of its log.
constexpr qint64 kNoRoomBytes = 64 * 1024;

QString IsoUtc(const QDateTime& time) {
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + u'Z';
}

QDateTime FromIsoUtc(const QVariant& value) {
    if (value.isNull()) return QDateTime();
    return QDateTime::fromString(value.toString(), Qt::ISODate).toUTC();
}

QDateTime FromSeconds(const QVariant& value) {
    if (value.isNull()) return QDateTime();
    return QDateTime::fromSecsSinceEpoch(value.toLongLong(), Qt::UTC);
}

// A null QString binds as SQL NULL; the texts of a row are never NULL.
QString NotNull(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

bool NoRoomBeside(const QString& path) {
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    return disk.isValid() && disk.bytesAvailable() < kNoRoomBytes;
}

HistoryProblem ProblemOf(const QSqlError& error, const QString& path) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    if (!ok) return HistoryProblem::Failed;
    switch (code) {
        case kSqliteBusy:
        case kSqliteLocked:
            return HistoryProblem::Busy;
        case kSqliteIoError:
            return NoRoomBeside(path) ? HistoryProblem::DiskFull : HistoryProblem::Failed;
        case kSqliteReadOnly:
            return HistoryProblem::ReadOnly;
        case kSqliteCorrupt:
        case kSqliteNotADatabase:
            return HistoryProblem::Corrupt;
        case kSqliteFull:
            return HistoryProblem::DiskFull;
        case kSqliteCantOpen:
            return HistoryProblem::CannotOpen;
        default:
            return HistoryProblem::Failed;
    }
}

const char kRecordColumns[] =
    "SELECT id, name, link_source, start_utc, end_utc, received_bytes, sent_bytes,"
    " online_seconds, tariff_type, cost, booked, cut_short,"
    " (SELECT last_t FROM sample_blocks WHERE connection = connections.id"
    "  ORDER BY block DESC LIMIT 1) FROM connections ";

// The row's copy of its samples' first and last times, set with each sample.
const char kSampledSpan[] =
    " first_sample = (SELECT MIN(min_t) FROM sample_blocks WHERE connection = id),"
    " last_sample = (SELECT MAX(max_t) FROM sample_blocks WHERE connection = id)";

// The last block holding a sample at or before a time holds the last such sample taken.
const char kWriteBlock[] =
    "INSERT OR REPLACE INTO sample_blocks (connection, block, min_t, max_t, last_t, samples)"
    " VALUES (?, ?, ?, ?, ?, ?)";

QVariantList BlockValues(int64_t connection, int64_t block, const QList<StoredSample>& samples) {
    const auto [least, most] =
        std::minmax_element(samples.begin(), samples.end(),
                            [](const StoredSample& a, const StoredSample& b) { return a.t < b.t; });
    return {qint64(connection),       qint64(block),       qint64(least->t), qint64(most->t),
            qint64(samples.last().t), PackSamples(samples)};
}

const char kLastBlockAtOrBefore[] =
    "SELECT samples FROM sample_blocks WHERE connection = ? AND min_t <= ?"
    " ORDER BY block DESC LIMIT 1";

ConnectionRecord RecordAt(const QSqlQuery& query) {
    ConnectionRecord r;
    r.id = query.value(0).toLongLong();
    r.name = query.value(1).toString();
    r.linkSource = query.value(2).toString();
    r.start = FromIsoUtc(query.value(3));
    r.end = FromIsoUtc(query.value(4));
    r.figures.usage = {query.value(5).toLongLong(), query.value(6).toLongLong(),
                       query.value(9).toDouble()};
    r.figures.onlineSeconds = query.value(7).toLongLong();
    r.tariffType = query.value(8).toInt();
    r.booked = query.value(10).toInt() != 0;
    r.cutShort = query.value(11).toInt() != 0;
    r.lastSample = FromSeconds(query.value(12));
    return r;
}

// Runs on a thread of its own, over a connection of its own named `name`. PASSIVE: the
// writer goes on meanwhile; a failure leaves the log for the next try.
void CopyLogIntoFile(const QString& path, const QString& name) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
        const bool opened = db.open();
        QSqlQuery checkpoint(db);
        if (opened && checkpoint.exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)")) &&
            checkpoint.next()) {
            qCDebug(lcHistory) << path << "log copied: busy" << checkpoint.value(0).toInt()
                               << "log pages" << checkpoint.value(1).toInt() << "copied"
                               << checkpoint.value(2).toInt();
        } else {
            qCDebug(lcHistory) << path << "log not copied:" << db.lastError().text()
                               << checkpoint.lastError().text();
        }
        checkpoint.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

}  // namespace

HistoryStore::HistoryStore(QString path) : path_(std::move(path)) {
    static QAtomicInteger<int> serial;
    connectionName_ = QStringLiteral("vantoril-history-%1").arg(serial.fetchAndAddRelaxed(1));
}

HistoryStore::~HistoryStore() {
    Close();
}

void HistoryStore::Close() {
    // The last connection to close copies the log into the file and removes it: a copy
    // under way on the other thread is let finish first.
    for (int waited = 0; checkpointing_->load() && waited < kCheckpointWaitMs; waited += 5)
        QThread::msleep(5);
    writes_.clear();  // before the connection they were prepared on goes
    if (QSqlDatabase::contains(connectionName_)) {
        QSqlDatabase::database(connectionName_, false).close();
        QSqlDatabase::removeDatabase(connectionName_);
    }
    open_ = false;
}

bool HistoryStore::Fail(const QSqlError& error) {
    // SQLite's own code and words: the user's message names only the kind of problem.
    qCDebug(lcHistory).nospace() << path_ << ": SQLite error " << error.nativeErrorCode() << ": "
                                 << error.databaseText() << " (" << error.driverText() << ')';
    return Fail(ProblemOf(error, path_), error.text());
}

bool HistoryStore::Fail(HistoryProblem problem, const QString& detail) {
    qCDebug(lcHistory) << path_ << "problem" << int(problem) << "(HistoryProblem):" << detail;
    error_ = {problem, detail};
    return false;
}

bool HistoryStore::Exec(QSqlQuery& query) {
    if (query.exec()) return true;
    return Fail(query.lastError());
}

bool HistoryStore::Exec(const QString& statement) {
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    if (query.exec(statement)) return true;
    return Fail(query.lastError());
}

bool HistoryStore::InTransaction(const std::function<bool()>& work) {
    error_ = {};
    if (!open_) return Fail(HistoryProblem::CannotOpen, QStringLiteral("not open"));
    QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    if (!db.transaction()) return Fail(db.lastError());
    if (work() && db.commit()) return true;
    if (error_.problem == HistoryProblem::None) Fail(db.lastError());  // the commit failed
    const HistoryError failure = error_;
    db.rollback();
    error_ = failure;
    return false;
}

bool HistoryStore::Open(Mode mode) {
    error_ = {};
    movedAside_.clear();
    if (OpenFile(mode)) return true;
    if (mode == Mode::ReadOnly || error_.problem != HistoryProblem::Corrupt) return false;
    // A damaged file is kept for whoever wants to rescue it; the history starts anew.
    // Only damage moves it: a full disk or a lock says nothing about the file.
    const HistoryError damage = error_;
    if (!MoveAside()) return false;
    if (OpenFile(mode)) return true;
    if (error_.problem == HistoryProblem::None) error_ = damage;
    return false;
}

void HistoryStore::CheckpointInBackground() {
    if (!open_ || checkpointing_->exchange(true)) return;
    static QAtomicInteger<int> serial;
    const QString name =
        connectionName_ + QStringLiteral("-checkpoint-%1").arg(serial.fetchAndAddRelaxed(1));
    QThreadPool::globalInstance()->start([path = path_, name, busy = checkpointing_] {
        CopyLogIntoFile(path, name);
        busy->store(false);
    });
}

bool HistoryStore::StartAfresh() {
    movedAside_.clear();
    return MoveAside() && OpenFile(Mode::ReadWrite);
}

bool HistoryStore::OpenFile(Mode mode) {
    Close();
    error_ = {};
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return Fail(HistoryProblem::NoDriver, QStringLiteral("QSQLITE"));
    if (mode == Mode::ReadOnly && !QFileInfo(path_).isFile())
        return Fail(HistoryProblem::NotFound, path_);
    if (Connect(mode) && Prepare(mode)) return true;
    Close();  // after every handle on the connection is gone
    return false;
}

bool HistoryStore::Connect(Mode mode) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db.setDatabaseName(path_);
    db.setConnectOptions(mode == Mode::ReadOnly
                             ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=1000")
                             : QStringLiteral("QSQLITE_BUSY_TIMEOUT=200"));
    if (!db.open()) return Fail(db.lastError());
    open_ = true;
    return true;
}

bool HistoryStore::Prepare(Mode mode) {
    // The first read of the header tells a damaged file, unless SQLite could not read it
    // at all (a full disk, a lock): then it is asked to look the file through.
    QSqlQuery version;
    if (!Run(QStringLiteral("PRAGMA user_version"), {}, &version)) {
        if (error_.problem != HistoryProblem::Corrupt && FoundDamaged())
            error_.problem = HistoryProblem::Corrupt;
        return false;
    }
    if (!version.next()) return Fail(HistoryProblem::Failed, QStringLiteral("no user_version"));
    int schema = version.value(0).toInt();
    version.finish();  // a statement left open would hold a read transaction
    qCDebug(lcHistory) << "opened" << path_ << "schema" << schema
                       << (mode == Mode::ReadOnly ? "to read" : "to write");
    if (schema > kHistorySchemaVersion) return Fail(HistoryProblem::NewerFormat, path_);
    // Checked before anything is written: another program's file stays as it is.
    if (schema == 0 && Foreign()) return false;
    // A reader never upgrades: the program does that when it next opens the file.
    if (mode == Mode::ReadOnly && schema > 0 && schema < kHistorySchemaVersion)
        return Fail(HistoryProblem::OlderFormat, path_);
    if (mode == Mode::ReadOnly) return true;
    // Readers never wait for the writer; a commit writes to the log without waiting for
    // the disk, so a power cut loses at most what the system had not yet written out.
    // Copying the log into the file waits for the disk: that runs on another thread
    // (CheckpointInBackground), never inside a write of the calling thread.
    if (!Exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !Exec(QStringLiteral("PRAGMA synchronous=NORMAL")) ||
        !Exec(QStringLiteral("PRAGMA wal_autocheckpoint=0")) ||
        !Exec(QStringLiteral("PRAGMA foreign_keys=ON")))
        return false;
    const bool packing = schema > 0 && schema < kPackedSamplesVersion;
    for (; schema < kHistorySchemaVersion; ++schema) {
        const bool migrated = InTransaction([&] {
            for (const QString& statement : HistoryMigration(schema + 1))
                if (!Exec(statement)) return false;
            if (schema + 1 == kPackedSamplesVersion && !MoveSamplesIntoBlocks()) return false;
            return Exec(QStringLiteral("PRAGMA user_version = %1").arg(schema + 1));
        });
        if (!migrated) return false;
    }
    // The pages the unpacked samples held are given back to the disk. Without room for
    // that the file stays as large, and as sound, as it is.
    if (packing) {
        QSqlQuery vacuum(QSqlDatabase::database(connectionName_, false));
        if (!vacuum.exec(QStringLiteral("VACUUM")))
            qCDebug(lcHistory) << path_ << "not compacted:" << vacuum.lastError().text();
    }
    return true;
}

bool HistoryStore::MoveSamplesIntoBlocks() {
    QSqlQuery read;
    QSqlQuery write;
    if (!Run(QStringLiteral("SELECT connection, t, received_bytes, sent_bytes, online_seconds,"
                            " cost FROM samples ORDER BY connection, taken, t"),
             {}, &read) ||
        !PrepareStatement(write, QLatin1String(kWriteBlock)))
        return false;
    int64_t connection = 0;
    int64_t block = 0;
    QList<StoredSample> samples;
    const auto flush = [&] {
        if (samples.isEmpty()) return true;
        const bool written = RunPrepared(write, BlockValues(connection, block, samples));
        samples.clear();
        ++block;
        return written;
    };
    while (read.next()) {
        bool whole[6] = {};
        const int64_t id = read.value(0).toLongLong(&whole[0]);
        StoredSample sample;
        sample.t = read.value(1).toLongLong(&whole[1]);
        sample.figures = {{read.value(2).toLongLong(&whole[2]), read.value(3).toLongLong(&whole[3]),
                           read.value(5).toDouble(&whole[5])},
                          read.value(4).toLongLong(&whole[4])};
        // A hand-edited value that is no number: the file stays as it was.
        if (std::find(std::begin(whole), std::end(whole), false) != std::end(whole))
            return Fail(HistoryProblem::Failed,
                        QStringLiteral("a sample of connection %1 is not a number").arg(id));
        if ((id != connection || samples.size() == kSamplesPerBlock) && !flush()) return false;
        if (id != connection) block = 1;
        connection = id;
        samples.append(sample);
    }
    read.finish();
    return flush() &&
           Exec(QStringLiteral("UPDATE connections SET") + QLatin1String(kSampledSpan)) &&
           Exec(QStringLiteral("DROP TABLE samples"));
}

bool HistoryStore::Foreign() {
    QSqlQuery tables;
    if (!Run(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"), {}, &tables) || !tables.next())
        return true;  // the reason is in LastError()
    if (tables.value(0).toInt() == 0) return false;
    Fail(HistoryProblem::Foreign, path_);
    return true;
}

bool HistoryStore::FoundDamaged() {
    const HistoryError failure = error_;
    QSqlQuery check;
    const bool answered = Run(QStringLiteral("PRAGMA quick_check(1)"), {}, &check) && check.next();
    const bool damaged = answered ? check.value(0).toString() != QLatin1String("ok")
                                  : error_.problem == HistoryProblem::Corrupt;
    error_ = failure;
    return damaged;
}

bool HistoryStore::MoveAside() {
    Close();
    const QString stem = path_ + QStringLiteral(".corrupt-") +
                         QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QString target = stem;
    for (int n = 2; QFileInfo::exists(target); ++n) target = stem + u'-' + QString::number(n);
    if (!QFile::rename(path_, target))
        return Fail(HistoryProblem::ReadOnly, QStringLiteral("cannot move %1 aside").arg(path_));
    // The log, its index and the journal go with the file, so they still open together.
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        if (QFileInfo::exists(path_ + QLatin1String(suffix)))
            QFile::rename(path_ + QLatin1String(suffix), target + QLatin1String(suffix));
    }
    qCDebug(lcHistory) << "damaged" << path_ << "moved aside to" << target;
    movedAside_ = target;
    return true;
}

bool HistoryStore::Run(const QString& statement, const QVariantList& values, QSqlQuery* result) {
    if (!result) {
        auto write = writes_.find(statement);
        if (write == writes_.end()) {
            QSqlQuery prepared;
            if (!PrepareStatement(prepared, statement)) return false;
            write = writes_.insert(statement, std::move(prepared));
        }
        return RunPrepared(*write, values);
    }
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);  // results read once: Qt keeps no copy of the rows
    if (!query.prepare(statement)) return Fail(query.lastError());
    for (const QVariant& value : values) query.addBindValue(value);
    if (!Exec(query)) return false;
    if (result) *result = std::move(query);
    return true;
}

bool HistoryStore::PrepareStatement(QSqlQuery& query, const QString& statement) {
    query = QSqlQuery(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    return query.prepare(statement) || Fail(query.lastError());
}

bool HistoryStore::RunPrepared(QSqlQuery& query, const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
    return Exec(query);
}

std::optional<QList<StoredSample>> HistoryStore::Unpacked(const QByteArray& blob) {
    std::optional<QList<StoredSample>> samples = UnpackSamples(blob);
    if (!samples || samples->isEmpty()) {
        Fail(HistoryProblem::Corrupt, QStringLiteral("a block of samples does not read"));
        return std::nullopt;
    }
    return samples;
}

bool HistoryStore::InsertSample(int64_t id, const QDateTime& at, const ConnectionFigures& figures) {
    const int64_t t = at.toSecsSinceEpoch();
    // Two samples in one second: the later figures stand, as the one taken last. The
    // earlier one is most often the last sample; a clock put back may find an older one.
    QSqlQuery same;
    if (!Run(QStringLiteral("SELECT block, samples FROM sample_blocks"
                            " WHERE connection = ? AND min_t <= ? AND max_t >= ?"),
             {qint64(id), qint64(t), qint64(t)}, &same))
        return false;
    QList<QPair<int64_t, QVariant>> holding;
    while (same.next()) holding.append({same.value(0).toLongLong(), same.value(1)});
    same.finish();
    for (const auto& [block, blob] : holding) {
        std::optional<QList<StoredSample>> samples = Unpacked(blob.toByteArray());
        if (!samples) return false;
        samples->removeIf([t](const StoredSample& sample) { return sample.t == t; });
        const bool kept =
            samples->isEmpty()
                ? Run(QStringLiteral(
                          "DELETE FROM sample_blocks WHERE connection = ? AND block = ?"),
                      {qint64(id), qint64(block)})
                : Run(QLatin1String(kWriteBlock), BlockValues(id, block, *samples));
        if (!kept) return false;
    }
    // Into the connection's last block, or a new one when it is full.
    QSqlQuery last;
    if (!Run(QStringLiteral("SELECT block, samples FROM sample_blocks WHERE connection = ?"
                            " ORDER BY block DESC LIMIT 1"),
             {qint64(id)}, &last))
        return false;
    int64_t block = 1;
    QList<StoredSample> samples;
    if (last.next()) {
        block = last.value(0).toLongLong();
        const std::optional<QList<StoredSample>> stored = Unpacked(last.value(1).toByteArray());
        if (!stored) return false;
        samples = *stored;
        if (samples.size() >= kSamplesPerBlock) {
            ++block;
            samples.clear();
        }
    }
    last.finish();
    samples.append({t, figures});
    return Run(QLatin1String(kWriteBlock), BlockValues(id, block, samples));
}

bool HistoryStore::WriteClasses(int64_t id, const ClassShares& classes) {
    if (!Run(QStringLiteral("DELETE FROM connection_classes WHERE connection = ?"), {qint64(id)}))
        return false;
    for (const auto& [tariffClass, share] : classes) {
        if (!Run(QStringLiteral(
                     "INSERT INTO connection_classes (connection, tariff_class,"
                     " received_bytes, sent_bytes, online_seconds) VALUES (?, ?, ?, ?, ?)"),
                 {qint64(id), tariffClass, qint64(share.received), qint64(share.sent),
                  qint64(share.seconds)}))
            return false;
    }
    return true;
}

std::optional<ClassShares> HistoryStore::ClassesOf(int64_t id) {
    QSqlQuery query;
    if (!Run(QStringLiteral("SELECT tariff_class, received_bytes, sent_bytes, online_seconds"
                            " FROM connection_classes WHERE connection = ?"),
             {qint64(id)}, &query))
        return std::nullopt;
    ClassShares classes;
    while (query.next())
        classes[query.value(0).toInt()] = {uint64_t(query.value(1).toLongLong()),
                                           uint64_t(query.value(2).toLongLong()),
                                           query.value(3).toLongLong()};
    return classes;
}

std::optional<int64_t> HistoryStore::BeginConnection(const ConnectionStart& start) {
    QSqlQuery inserted;
    const bool done = InTransaction([&] {
        return Run(
            QStringLiteral("INSERT INTO connections (name, link_source, start_utc,"
                           " tariff_type) VALUES (?, ?, ?, ?)"),
            {NotNull(start.name), NotNull(start.linkSource), IsoUtc(start.start), start.tariffType},
            &inserted);
    });
    if (!done) return std::nullopt;
    return inserted.lastInsertId().toLongLong();
}

bool HistoryStore::AddSample(int64_t id, const QDateTime& at, const ConnectionFigures& figures,
                             const ClassShares& classes) {
    return InTransaction([&] {
        return InsertSample(id, at, figures) && WriteClasses(id, classes) &&
               Run(QStringLiteral("UPDATE connections SET received_bytes = ?, sent_bytes = ?,"
                                  " online_seconds = ?, cost = ?,") +
                       QLatin1String(kSampledSpan) + QStringLiteral(" WHERE id = ?"),
                   {qint64(figures.usage.received), qint64(figures.usage.sent),
                    qint64(figures.onlineSeconds), figures.usage.cost, qint64(id)});
    });
}

bool HistoryStore::SetStart(int64_t id, const QDateTime& start) {
    return InTransaction([&] {
        return Run(QStringLiteral("UPDATE connections SET start_utc = ? WHERE id = ?"),
                   {IsoUtc(start), qint64(id)});
    });
}

bool HistoryStore::FinishConnection(int64_t id, const QDateTime& end,
                                    const ConnectionFigures& figures, int tariffType, bool booked,
                                    const ClassShares& classes) {
    return InTransaction([&] {
        return InsertSample(id, end, figures) && WriteClasses(id, classes) &&
               // A clock put back never makes the row end before it began.
               Run(QStringLiteral("UPDATE connections SET end_utc = MAX(?, start_utc),"
                                  " received_bytes = ?,"
                                  " sent_bytes = ?, online_seconds = ?, cost = ?,"
                                  " tariff_type = ?, booked = ?, cut_short = 0,") +
                       QLatin1String(kSampledSpan) + QStringLiteral(" WHERE id = ?"),
                   {IsoUtc(end), qint64(figures.usage.received), qint64(figures.usage.sent),
                    qint64(figures.onlineSeconds), figures.usage.cost, tariffType, booked ? 1 : 0,
                    qint64(id)});
    });
}

bool HistoryStore::CloseCutShort(int64_t id) {
    // The row already holds its last sample's figures; it ends where that sample was
    // taken, never before its start.
    return InTransaction([&] {
        return Run(QStringLiteral("UPDATE connections SET cut_short = 1, end_utc = MAX(COALESCE("
                                  " strftime('%Y-%m-%dT%H:%M:%SZ',"
                                  "  (SELECT last_t FROM sample_blocks WHERE connection = ?"
                                  "   ORDER BY block DESC LIMIT 1), 'unixepoch'),"
                                  " start_utc), start_utc) WHERE id = ?"),
                   {qint64(id), qint64(id)});
    });
}

bool HistoryStore::RecordAlert(const QString& key, const QDateTime& at) {
    QSqlQuery inserted;
    const bool done = InTransaction([&] {
        return Run(QStringLiteral("INSERT OR IGNORE INTO alerts (alert, raised_utc) VALUES (?, ?)"),
                   {key, IsoUtc(at)}, &inserted);
    });
    return done && inserted.numRowsAffected() == 1;
}

bool HistoryStore::AlertRecorded(const QString& key) {
    QSqlQuery query;
    if (!open_ || !Run(QStringLiteral("SELECT 1 FROM alerts WHERE alert = ?"), {key}, &query))
        return false;
    return query.next();
}

QList<ConnectionRecord> HistoryStore::OpenConnections() {
    QList<ConnectionRecord> records;
    QSqlQuery query;
    if (!open_ ||
        !Run(QLatin1String(kRecordColumns) + QStringLiteral("WHERE end_utc IS NULL ORDER BY id"),
             {}, &query))
        return records;
    while (query.next()) records.append(RecordAt(query));
    for (ConnectionRecord& record : records) {
        const std::optional<ClassShares> classes = ClassesOf(record.id);
        if (!classes) return {};
        record.classes = *classes;
    }
    return records;
}

QList<ConnectionRecord> HistoryStore::Connections(const QDateTime& from, const QDateTime& to) {
    QList<ConnectionRecord> records;
    QSqlQuery query;
    if (!open_ ||
        !Run(QLatin1String(kRecordColumns) +
                 QStringLiteral("WHERE start_utc < ? AND (end_utc IS NULL OR end_utc >= ?)"
                                " ORDER BY start_utc, id"),
             {IsoUtc(to), IsoUtc(from)}, &query))
        return records;
    while (query.next()) records.append(RecordAt(query));
    return records;
}

std::optional<Usage> HistoryStore::LastTakenAtOrBefore(DirectQuery& block, int64_t id,
                                                       int64_t secondsUtc) {
    block.Bind({id, secondsUtc});
    if (!block.Next()) {
        if (!block.Error().isValid()) return Usage{};  // before its first sample: nothing
        Fail(block.Error());
        return std::nullopt;
    }
    const std::optional<QList<StoredSample>> samples = Unpacked(block.Blob(0));
    if (!samples) return std::nullopt;
    for (auto sample = samples->rbegin(); sample != samples->rend(); ++sample)
        if (sample->t <= secondsUtc) return sample->figures.usage;
    return Usage{};  // not reached: the block holds one at or before the time
}

std::optional<QList<HistoryStore::SampledSpan>> HistoryStore::SampledBetween(int64_t from,
                                                                             int64_t to) {
    QList<SampledSpan> spans;
    if (!open_) return std::nullopt;
    // By the samples' own times: a clock put back may leave some outside the row's span.
    // The row holds the figures of the sample taken last, the connection's whole usage.
    DirectQuery query(QSqlDatabase::database(connectionName_, false),
                      "SELECT id, first_sample, last_sample, received_bytes, sent_bytes, cost"
                      " FROM connections WHERE last_sample > ? AND first_sample <= ?");
    query.Bind({from, to});
    while (query.Next())
        spans.append({query.Integer(0), query.Integer(1), query.Integer(2),
                      Usage{query.Integer(3), query.Integer(4), query.Real(5)}});
    if (query.Error().isValid()) {
        Fail(query.Error());
        return std::nullopt;
    }
    return spans;
}

Usage HistoryStore::UsageBetween(const QDateTime& from, const QDateTime& to) {
    const QList<Usage> spans = UsageBySpans({from, to});
    return spans.isEmpty() ? Usage{} : spans[0];
}

QList<Usage> HistoryStore::UsageBySpans(const QList<QDateTime>& boundaries) {
    QList<Usage> spans(std::max<qsizetype>(boundaries.size() - 1, 0));
    if (spans.isEmpty()) return spans;
    std::vector<int64_t> edges;  // UTC seconds
    edges.reserve(boundaries.size());
    for (const QDateTime& b : boundaries) edges.push_back(b.toSecsSinceEpoch());
    const ReadSnapshot snapshot(QSqlDatabase::database(connectionName_, false));
    const std::optional<QList<SampledSpan>> connections =
        SampledBetween(edges.front(), edges.back());
    if (!connections) return {};
    DirectQuery atEdge(QSqlDatabase::database(connectionName_, false), kLastBlockAtOrBefore);
    for (const SampledSpan& connection : *connections) {
        // Nothing before its first sample, all of it from its last: only the edges in
        // between are looked up, most connections lying within one span.
        const auto first = std::lower_bound(edges.begin(), edges.end(), connection.first);
        const auto last = std::lower_bound(first, edges.end(), connection.last);
        Usage previous;
        for (auto edge = first; edge != edges.end() && edge <= last; ++edge) {
            std::optional<Usage> now = connection.whole;
            if (edge != last) now = LastTakenAtOrBefore(atEdge, connection.id, *edge);
            if (!now) return {};
            if (edge != edges.begin()) spans[edge - edges.begin() - 1] += *now - previous;
            previous = *now;
        }
    }
    return spans;
}

std::optional<QList<Usage>> HistoryStore::StepsBetween(const QDateTime& from, const QDateTime& to) {
    const int64_t first = from.toSecsSinceEpoch();
    const int64_t last = to.toSecsSinceEpoch();
    struct Step {
        int64_t t;  // UTC seconds
        Usage added;
    };
    QList<Step> steps;
    const ReadSnapshot snapshot(QSqlDatabase::database(connectionName_, false));
    const std::optional<QList<SampledSpan>> connections = SampledBetween(first, last);
    if (!connections) return std::nullopt;
    DirectQuery blocks(QSqlDatabase::database(connectionName_, false),
                       "SELECT samples FROM sample_blocks WHERE connection = ? ORDER BY block");
    // Connection by connection, each in the order its samples were taken.
    for (const SampledSpan& connection : *connections) {
        blocks.Bind({connection.id});
        QList<StoredSample> samples;
        while (blocks.Next()) {
            const std::optional<QList<StoredSample>> block = Unpacked(blocks.Blob(0));
            if (!block) return std::nullopt;
            samples += *block;
        }
        if (blocks.Error().isValid()) {
            Fail(blocks.Error());
            return std::nullopt;
        }
        Usage before;  // where it stood when the span began: nothing before its first sample
        for (const StoredSample& sample : samples)
            if (sample.t <= first) before = sample.figures.usage;
        for (const StoredSample& sample : samples) {
            if (sample.t <= first || sample.t > last) continue;
            steps.append({sample.t, sample.figures.usage - before});
            before = sample.figures.usage;
        }
    }
    std::stable_sort(steps.begin(), steps.end(),
                     [](const Step& a, const Step& b) { return a.t < b.t; });
    QList<Usage> added;
    added.reserve(steps.size());
    for (const Step& step : steps) added.append(step.added);
    return added;
}

std::optional<QDateTime> HistoryStore::FirstStart() {
    QSqlQuery query;
    if (!open_ || !Run(QStringLiteral("SELECT MIN(start_utc) FROM connections"), {}, &query) ||
        !query.next() || query.value(0).isNull())
        return std::nullopt;
    return FromIsoUtc(query.value(0));
}
