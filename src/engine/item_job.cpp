#include "engine/item_job.h"

namespace scalora {

ItemJob::ItemJob(std::function<bool()> task)
    : thread_([this, run = std::move(task)] {
          try {
              result_ = run();
          } catch (...) {
              error_ = std::current_exception();
          }
      }) {}

ItemJob::~ItemJob() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool ItemJob::collect() {
    if (thread_.joinable()) {
        thread_.join();
    }
    if (error_) {
        std::rethrow_exception(error_);
    }
    return result_;
}

} // namespace scalora
