#include "app/watching_build.h"

#include "build/tex.h"
#include "build/watch_list.h"
#include "vklib/change_watch.h"
#include "vklib/interrupt.h"

namespace {

constexpr int kQuietMilliseconds = 300;
// How often an interruption is looked for while nothing happens.
constexpr int kIdleMilliseconds = 100;

// The document's files as they stand now: the parent is resolved afresh, since a changed source
// may name another root or bring in other files.
WatchStamps CurrentStamps(TeX& tex, std::vector<std::string>* files = nullptr) {
  tex.ResolveParent();
  std::vector<std::string> watched = WatchedFiles(tex);
  WatchStamps stamps = StampsOf(watched);
  if (files != nullptr) *files = std::move(watched);
  return stamps;
}

// A file whose stamp differs from the one it had, or that was not watched then; "" when none.
std::string FirstChange(const WatchStamps& known, const WatchStamps& now) {
  for (const auto& [file, stamp] : now) {
    auto before = known.find(file);
    if (before == known.end() || before->second != stamp) return file;
  }
  return std::string();
}

}  // namespace

void BuildWhileWatching(TeX& tex, const std::function<void()>& build,
                        const std::function<void(const std::string&)>& say) {
  vklib::ChangeWatch watch;
  WatchStamps before_build = CurrentStamps(tex);
  build();
  while (!vklib::Interrupted()) {
    // What the build read, as it stood when the build began: a save during the build counts.
    std::vector<std::string> files;
    WatchStamps known = CurrentStamps(tex, &files);
    for (auto& [file, stamp] : known) {
      auto before = before_build.find(file);
      if (before != before_build.end()) stamp = before->second;
    }
    watch.Watch(DirectoriesOf(files));
    say("変更を待っています．Ctrl+Cで終わります．\n");

    // The build's own outputs beside the sources wake the watch too; only a source's stamp
    // tells of a change.
    std::string changed;
    while (changed.empty()) {
      if (vklib::Interrupted()) return;
      if (watch.Wait(kIdleMilliseconds)) changed = FirstChange(known, CurrentStamps(tex));
    }
    // An editor's save writes more than once: build when the files have been quiet a while.
    WatchStamps settled = CurrentStamps(tex);
    while (true) {
      bool busy = watch.Wait(kQuietMilliseconds);
      if (vklib::Interrupted()) return;
      WatchStamps now = CurrentStamps(tex);
      if (!busy && now == settled) break;
      settled = std::move(now);
    }
    say(changed + " が変わりました．ビルドし直します．\n");
    before_build = std::move(settled);
    build();
  }
}
