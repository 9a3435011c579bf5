#include "folder_write.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace kvz::qst {
namespace fs = std::filesystem;

namespace {

QString pathText(const fs::path& path) { return QString::fromStdString(path.string()); }

// A folder made new gets the permissions mkdir would give it; the staging folder starts private.
fs::perms newFolderPerms() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<fs::perms>(0777 & ~mask);
}

}  // namespace

bool FileOps::write(const fs::path& file, const QByteArray& content) {
  QFile out(pathText(file));
  // flush() is where a full disk shows.
  const bool written = out.open(QIODevice::WriteOnly | QIODevice::NewOnly) && out.write(content) == content.size() &&
                       out.flush();
  out.close();
  return written && out.error() == QFileDevice::NoError;
}

bool FileOps::keep(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  const auto options = fs::copy_options::recursive | fs::copy_options::copy_symlinks;
  fs::copy(from, to, options | fs::copy_options::create_hard_links, ec);
  if (!ec) return true;
  fs::remove_all(to, ec);
  ec.clear();
  fs::copy(from, to, options, ec);
  return !ec;
}

bool FileOps::swap(const fs::path& fresh, const fs::path& dir) {
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(dir, ec))) {
    fs::rename(fresh, dir, ec);
    return !ec;
  }
  return ::renameat2(AT_FDCWD, fresh.c_str(), AT_FDCWD, dir.c_str(), RENAME_EXCHANGE) == 0;
}

bool writeAll(const fs::path& dir, const std::vector<OutputFile>& files,
              const std::function<bool(const fs::path&)>& drop, QTextStream& err) {
  FileOps real;
  return writeAll(dir, files, drop, err, real);
}

bool writeAll(const fs::path& dir, const std::vector<OutputFile>& files,
              const std::function<bool(const fs::path&)>& drop, QTextStream& err, FileOps& ops) {
  auto fail = [&](const fs::path& what, const QString& why) {
    err << pathText(what) << ": " << why << "; nothing was written\n";
    return false;
  };
  std::error_code ec;
  const bool existed = fs::exists(dir, ec);
  if (existed && !fs::is_directory(dir, ec)) return fail(dir, QStringLiteral("is not a folder"));
  // The real folder, not a link to it: the link would be swapped instead.
  const fs::path target = existed ? fs::canonical(dir, ec) : fs::absolute(dir, ec).lexically_normal();
  if (ec) return fail(dir, QString::fromStdString(ec.message()));
  const fs::path parent = target.parent_path();
  fs::create_directories(parent, ec);

  // Removed at the end whatever happens: after the swap it holds the old folder.
  QTemporaryDir staging(pathText(parent / ("." + target.filename().string() + ".new-XXXXXX")));
  if (!staging.isValid()) return fail(target, QStringLiteral("no folder can be made beside it"));
  const fs::path fresh = staging.path().toStdString();
  fs::permissions(fresh, existed ? fs::status(target, ec).permissions() : newFolderPerms(), ec);

  if (existed) {
    for (fs::directory_iterator it(target, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path name = it->path().filename();
      const bool rewritten = std::any_of(files.begin(), files.end(),
                                         [&](const OutputFile& f) { return f.name.toStdString() == name.string(); });
      if (rewritten || drop(it->path())) continue;
      if (!ops.keep(it->path(), fresh / name)) return fail(it->path(), QStringLiteral("cannot be kept"));
    }
    if (ec) return fail(target, QString::fromStdString(ec.message()));
  }
  for (const OutputFile& file : files)
    if (!ops.write(fresh / file.name.toStdString(), file.content))
      return fail(target / file.name.toStdString(), QStringLiteral("cannot be written"));
  // A shell that stands in the folder stays in the old one, which is gone a moment later.
  const fs::path here = fs::current_path(ec);
  const auto inside = here.lexically_relative(target);
  const bool standsInside = !ec && !inside.empty() && *inside.begin() != "..";
  if (!ops.swap(fresh, target))
    return fail(target, QStringLiteral("cannot be replaced (%1)").arg(QString::fromLocal8Bit(std::strerror(errno))));
  if (standsInside) err << pathText(target) << ": the folder was written anew; 'cd .' shows its new files\n";
  return true;
}

bool writeOne(const fs::path& file, const QByteArray& content, QTextStream& err) {
  QSaveFile out(pathText(file));
  if (out.open(QIODevice::WriteOnly) && out.write(content) == content.size() && out.commit()) return true;
  err << pathText(file) << ": cannot be written (" << out.errorString() << "); nothing was written\n";
  return false;
}

}  // namespace kvz::qst
