#include "engine/batch_engine.h"

namespace scalora {

BatchEngine::BatchEngine(ImageCodec& codec, BatchObserver& observer, WorkerOptions options)
    : codec_(codec), observer_(observer), options_(options) {}

BatchEngine::~BatchEngine() {
    // The thread refers to the list and the block: it goes first.
    thread_.reset();
}

void BatchEngine::startWorker() {
    if (!thread_) {
        thread_ = std::make_unique<ResizeThread>(items_, settings_, codec_, observer_, options_);
        thread_->setPriority(ThreadPriority::AboveNormal);
        if (task_) {
            thread_->setItemTask(task_);
        }
    }
    // A run that has posted its end is over even if its native thread has not quite returned;
    // reap it so this start begins a new run instead of only clearing the stop flag.
    if (thread_->hasRunEnded()) {
        thread_->wait();
    }
    thread_->markStarting();
    thread_->start();
}

void BatchEngine::requestStop() {
    if (thread_ && thread_->isRunning()) {
        thread_->requestStop();
    }
}

bool BatchEngine::isRunning() const {
    return thread_ && thread_->isRunning() && !thread_->hasRunEnded();
}

void BatchEngine::waitForWorker() {
    if (thread_) {
        thread_->wait();
    }
}

void BatchEngine::setItemTask(ResizeThread::ItemTask task) {
    task_ = std::move(task);
    if (thread_) {
        thread_->setItemTask(task_);
    }
}

} // namespace scalora
