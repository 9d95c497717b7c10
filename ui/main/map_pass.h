// A file's memory map gathered in a pass of its own on a worker thread, for a view
// that is opened after a load that did not gather it: the window stays responsive
// meanwhile, and a load that needs no view gathers nothing.
//
// One pass at a time. Starting a pass, or Stop, asks the running one to stop and
// drops its result; the destructor waits for it to end.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>

namespace larkspan {

class MemoryMap;

class MapPass final : public QObject {
  Q_OBJECT

 public:
  // Runs on the worker thread: the map of the file, or null when it stopped on
  // request. It must not touch the window.
  using Gather = std::function<std::shared_ptr<MemoryMap>(std::stop_token)>;

  explicit MapPass(QObject* parent = nullptr) : QObject(parent) {}
  ~MapPass() override { Stop(); }

  void Start(Gather gather);
  void Stop();
  bool Running() const { return running_; }

 signals:
  // On the window's thread, when the pass last started has ended with a map.
  void Gathered(std::shared_ptr<MemoryMap> map);

 private:
  std::jthread worker_;
  std::uint64_t generation_ = 0;  // of the pass last started
  bool running_ = false;
};

}  // namespace larkspan
