#include "main/map_pass.h"

#include <QMetaObject>

#include <utility>

#include "memory/memory_map.h"

namespace larkspan {

void MapPass::Start(Gather gather) {
  Stop();
  running_ = true;
  const std::uint64_t generation = ++generation_;
  worker_ = std::jthread([this, generation, gather = std::move(gather)](std::stop_token stop) {
    std::shared_ptr<MemoryMap> map = gather(stop);
    // Posted to the window's thread; dropped by Qt when this object is gone, and
    // by the generation check when a newer pass was started or Stop called.
    QMetaObject::invokeMethod(
        this,
        [this, generation, map = std::move(map)]() mutable {
          if (generation != generation_) return;
          running_ = false;
          if (map != nullptr) emit Gathered(std::move(map));
        },
        Qt::QueuedConnection);
  });
}

void MapPass::Stop() {
  ++generation_;
  running_ = false;
  if (worker_.joinable()) {
    worker_.request_stop();
    worker_.join();
  }
}

}  // namespace larkspan
