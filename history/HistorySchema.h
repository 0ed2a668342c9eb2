#pragma once
// The layout of the history file and the steps that bring a file of any earlier layout to the
// current one.

class THistoryConnection;

// The layout this build writes.
constexpr int HistorySchemaVersion = 2;

// The layout of the file, 0 for an empty one, with no write. Throws THistoryError for a file of a
// later layout, for a database that is not a history file and for a file that is no database.
int CheckHistorySchema(const THistoryConnection& connection);

// Brings an empty file or one of an earlier layout to HistorySchemaVersion, one step per
// version, all in one write transaction: a step that fails leaves the file as it was. Throws
// THistoryError as CheckHistorySchema does, and for a step that fails.
void MigrateHistorySchema(const THistoryConnection& connection);
