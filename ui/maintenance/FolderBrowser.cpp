#include "ui/maintenance/FolderBrowser.h"

#include "platform/Files.h"

#include <QSet>

namespace maintenance {

QStringList PathLevels(const QString& path) {
    return path.split(u'\\', Qt::SkipEmptyParts);
}

QString PathOfLevels(const QStringList& levels, int n) {
    QString path;
    for (int i = 0; i < n && i < levels.size(); ++i)
        path += u'\\' + levels[i];
    return path;
}

QStringList LevelItems(const QStringList& levels) {
    QStringList items{QStringLiteral("\\")};
    for (int k = 1; k <= levels.size(); ++k)
        items.append(QString(2 * k, u' ') + levels[k - 1]);
    return items;
}

QString ParentPath(const QString& path) {
    const QStringList levels = PathLevels(path);
    return PathOfLevels(levels, static_cast<int>(levels.size()) - 1);
}

QString ChildPath(const QString& path, const QString& name) {
    return NormalizedPath(path) + u'\\' + name;
}

bool HasExtension(const QString& fileName, const QString& ext) {
    return fileName.size() >= ext.size() &&
           QStringView(fileName).right(ext.size()).compare(ext, Qt::CaseInsensitive) == 0;
}

std::vector<FolderEntry> ListFolder(const QString& path, const QString& ext) {
    std::vector<FolderEntry> entries;
    QSet<QString> seen; // a faulty search must not list a name twice
    plat::FileFind find;
    plat::FindData data;
    for (bool found = find.first(NormalizedPath(path) + QStringLiteral("\\*.*"), &data); found;
         found = find.next(&data)) {
        const bool wanted =
            data.isDirectory ? !data.name.startsWith(u'.') : HasExtension(data.name, ext);
        if (!wanted) continue;
        const QString key = (data.isDirectory ? u'd' : u'f') + data.name;
        if (seen.contains(key)) break;
        seen.insert(key);
        entries.push_back({data.name, data.isDirectory});
    }
    find.close();
    return entries;
}

} // namespace maintenance
