#include "FolderListing.h"

#include "Notifier.h"
#include "PhotometricFile.h"

#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace folders {

namespace {

    bool isDirectory(const QByteArray& path)
    {
        struct stat info { };
        return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
    }

    bool isPlainFile(const QByteArray& path)
    {
        struct stat info { };
        return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
    }

    bool isPhotometricName(const QByteArray& name) { return name.size() > 4 && IsPhotometricPath(name.toStdString()); }

    void sortByName(std::vector<QByteArray>& names)
    {
        std::vector<std::pair<QString, QByteArray>> keyed;
        keyed.reserve(names.size());
        for (QByteArray& name : names)
            keyed.emplace_back(displayName(name), std::move(name));
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            const int byText = a.first.compare(b.first, Qt::CaseInsensitive);
            return byText != 0 ? byText < 0 : a.second < b.second;
        });
        for (size_t i = 0; i < keyed.size(); ++i)
            names[i] = std::move(keyed[i].second);
    }

    // Names in folder passing keep(full path, name); hidden entries are left out as file managers do.
    template <class Keep> std::vector<QByteArray> entries(const QByteArray& folder, Keep keep)
    {
        std::vector<QByteArray> names;
        std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), ::closedir);
        if (!dir)
            return names;
        while (const dirent* entry = ::readdir(dir.get())) {
            const QByteArray name(entry->d_name);
            if (name.startsWith('.'))
                continue;
            if (keep(join(folder, name), name))
                names.push_back(name);
        }
        sortByName(names);
        return names;
    }

} // namespace

QByteArray workingFolder()
{
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return "/";
        buffer.resize(buffer.size() * 2);
    }
    return QByteArray(buffer.data());
}

QByteArray absoluteFolder(const QByteArray& folder)
{
    const QByteArray full = folder.startsWith('/') ? folder : join(workingFolder(), folder);
    std::vector<QByteArray> parts;
    for (const QByteArray& part : full.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    QByteArray result;
    for (const QByteArray& part : parts)
        result += '/' + part;
    return result.isEmpty() ? QByteArray("/") : result;
}

void checkEnterable(const QByteArray& folder)
{
    errno = 0;
    DIR* dir = ::opendir(folder.constData());
    if (dir) {
        ::closedir(dir);
        if (::access(folder.constData(), X_OK) == 0)
            return;
    }
    const int error = errno != 0 ? errno : ENOTDIR;
    throw std::runtime_error("Cannot open folder " + folder.toStdString() + ": " + std::strerror(error));
}

QByteArray join(const QByteArray& parent, const QByteArray& name)
{
    return parent.endsWith('/') ? parent + name : parent + '/' + name;
}

std::vector<QByteArray> subfolders(const QByteArray& folder)
{
    return entries(folder, [](const QByteArray& path, const QByteArray&) { return isDirectory(path); });
}

std::vector<QByteArray> photometricFiles(const QByteArray& folder)
{
    return entries(folder,
        [](const QByteArray& path, const QByteArray& name) { return isPhotometricName(name) && isPlainFile(path); });
}

std::vector<Volume> volumes()
{
    static const QByteArrayList pseudo = { "proc", "sysfs", "cgroup", "cgroup2", "tmpfs", "devtmpfs", "overlay",
        "squashfs", "devpts", "mqueue", "debugfs", "tracefs", "securityfs", "pstore", "bpf", "configfs", "fusectl",
        "hugetlbfs", "autofs", "binfmt_misc", "efivarfs", "nsfs", "ramfs", "rpc_pipefs", "selinuxfs" };
    std::vector<Volume> found { { "/", QString() } };
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QByteArray root = QFile::encodeName(volume.rootPath());
        if (root == "/" || !volume.isValid() || !volume.isReady() || pseudo.contains(volume.fileSystemType()))
            continue;
        // Single files mounted into a container are not drives.
        if (!isDirectory(root))
            continue;
        if (std::any_of(found.begin(), found.end(), [&](const Volume& v) { return v.root == root; }))
            continue;
        found.push_back({ root, volume.name() });
    }
    std::sort(found.begin() + 1, found.end(), [](const Volume& a, const Volume& b) { return a.root < b.root; });
    return found;
}

QByteArray volumeOf(const QByteArray& folder, const std::vector<Volume>& roots)
{
    QByteArray best = "/";
    for (const Volume& volume : roots) {
        const QByteArray& root = volume.root;
        const bool inside = folder == root || folder.startsWith(root.endsWith('/') ? root : root + '/');
        if (inside && root.size() > best.size())
            best = root;
    }
    return best;
}

QString displayName(const QByteArray& name) { return notifier::fromBytes(name.toStdString()); }

} // namespace folders
