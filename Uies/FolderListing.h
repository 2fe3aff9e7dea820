#pragma once
// The file system behind the file browser. Paths are raw file-system bytes so that names which are not
// valid text in the user's encoding still open.

#include <QByteArray>
#include <QString>

#include <vector>

namespace folders {

// The process's working folder.
QByteArray workingFolder();

// folder made absolute (against the working folder) with "." and ".." and doubled separators removed.
QByteArray absoluteFolder(const QByteArray& folder);

// Throws std::runtime_error with the file system's reason when folder cannot be entered and listed.
void checkEnterable(const QByteArray& folder);

// parent joined with name by one separator.
QByteArray join(const QByteArray& parent, const QByteArray& name);

// The visible subfolders of folder, sorted by name without regard to case.
std::vector<QByteArray> subfolders(const QByteArray& folder);

// The visible plain files of folder whose names match "*.ies" or "*.ldt" without regard to case, sorted together
// by name.
std::vector<QByteArray> photometricFiles(const QByteArray& folder);

// Mount points of the root and of the real file systems (no pseudo or memory file systems).
struct Volume {
    QByteArray root;
    QString label;
};
std::vector<Volume> volumes();

// The volume among roots holding folder: the longest root that contains it.
QByteArray volumeOf(const QByteArray& folder, const std::vector<Volume>& roots);

// A name as the user reads it.
QString displayName(const QByteArray& name);

} // namespace folders
