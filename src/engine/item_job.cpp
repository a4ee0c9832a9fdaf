#include "engine/item_job.h"

#include "engine/job_slots.h"

namespace scalora {

ItemJob::ItemJob(std::function<bool()> task, JobSlots* slots) : slots_(slots) {
    if (slots_ != nullptr) {
        slots_->take();
    }
    try {
        thread_ = std::thread([this, run = std::move(task)] {
            try {
                result_ = run();
            } catch (...) {
                error_ = std::current_exception();
            }
            // Finished first: whoever a free slot wakes must find this job collectable.
            finished_ = true;
            if (slots_ != nullptr) {
                slots_->release();
            }
        });
    } catch (...) {
        if (slots_ != nullptr) {
            slots_->release();
        }
        throw;
    }
}

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
