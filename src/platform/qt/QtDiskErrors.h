#pragma once
// Qt adapter: what the disk really did with a write, where Qt does not say.
//
// QSaveFile (under QSettings) calls fdatasync and ignores its failure; this program defines
// fdatasync itself, passes every call on to the C library, and counts the failures, so a save
// whose data may not be on the disk is not taken for one.
#include <QString>
#include <string>

namespace vantoly::qt {

// How many fdatasync calls of this process have failed, and the last one's errno.
int FailedDataSyncs();
int LastDataSyncError();

// Flushes the folder's entries (a rename, a new or removed file) to the disk. Empty on success,
// otherwise why not.
QString SyncFolder(const QString& folder);

// Makes the folder (with its parents) if need be, syncing a new one into its parent, and leaves
// it the user's alone (0700). False when it cannot be made.
bool MakePrivateFolder(const QString& folder);

// Why the file at `path` (which may not exist yet) cannot be written, as far as the system tells:
// a missing folder, a read-only file system, permission denied, a full disk; `error`, an errno
// the write met, when none of those shows.
std::string WhyNotWritable(const QString& path, int error = 0);

} // namespace vantoly::qt
