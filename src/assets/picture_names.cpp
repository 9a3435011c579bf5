#include "assets/picture_names.h"

namespace kvz {

std::vector<PictureInfo> allPictures() {
  std::vector<PictureInfo> all(std::begin(kBitmaps), std::end(kBitmaps));
  all.insert(all.end(), std::begin(kLayoutPictures), std::end(kLayoutPictures));
  all.push_back(kHandPointer);
  return all;
}

std::optional<PictureInfo> findPicture(const QString& name) {
  static const std::vector<PictureInfo> all = allPictures();
  const QString upper = name.toUpper();
  for (const PictureInfo& info : all)
    if (upper == QLatin1String(info.name)) return info;
  return std::nullopt;
}

std::optional<QString> canonicalPictureName(const QString& name) {
  if (const auto info = findPicture(name)) return QString::fromLatin1(info->name);
  return std::nullopt;
}

}  // namespace kvz
