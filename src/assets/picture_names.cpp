#include "assets/picture_names.h"

namespace kvz {

std::optional<QString> canonicalPictureName(const QString& name) {
  const QString upper = name.toUpper();
  for (const auto& list : {std::span<const PictureInfo>(kBitmaps), std::span<const PictureInfo>(kLayoutPictures)})
    for (const PictureInfo& info : list)
      if (upper == QLatin1String(info.name)) return upper;
  if (upper == QLatin1String(kHandPointer.name)) return upper;
  return std::nullopt;
}

}  // namespace kvz
