#include <varnock/makers.h>

#include <algorithm>

namespace varnock {
namespace {

template <typename Field>
std::optional<Maker> FindMaker(Field field, std::string_view wanted) {
  auto found = std::find_if(kMakers.begin(), kMakers.end(),
                            [&](const MakerInfo& info) { return info.*field == wanted; });
  if (found == kMakers.end()) return std::nullopt;
  return found->maker;
}

}  // namespace

std::optional<Maker> FindMakerByName(std::string_view name) {
  return FindMaker(&MakerInfo::name, name);
}

std::optional<Maker> FindMakerById(std::string_view id) { return FindMaker(&MakerInfo::id, id); }

}  // namespace varnock
