#include "platform/PhotoPrefetch.h"

#include "platform/Pictures.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>

namespace tiravo {

struct PhotoPrefetch::Slot {
    std::atomic<bool> dropped{false};
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    QImage picture;
    std::exception_ptr error;

    void decode(const QString& path, QSize box) {
        QImage decoded;
        std::exception_ptr failure;
        if (!dropped.load()) {
            try {
                decoded = LoadPictureToFit(path, box);
            } catch (...) {
                failure = std::current_exception();
            }
        }
        const std::lock_guard lock(mutex);
        picture = std::move(decoded);
        error = failure;
        done = true;
        finished.notify_all();
    }

    QImage wait() {
        std::unique_lock lock(mutex);
        finished.wait(lock, [this] { return done; });
        if (error)
            std::rethrow_exception(error);
        return picture;
    }
};

PhotoPrefetch::PhotoPrefetch(QSize box, int workers) : box_(box) {
    workers_.setMaxThreadCount(qMax(1, workers));
}

PhotoPrefetch::~PhotoPrefetch() {
    forget();
    workers_.waitForDone();
}

void PhotoPrefetch::expect(const QStringList& paths) {
    std::size_t same = 0;
    while (same < ahead_.size() && same < std::size_t(paths.size()) &&
           ahead_[same].path == paths[qsizetype(same)])
        ++same;
    dropFrom(same);
    for (qsizetype i = qsizetype(same); i < paths.size(); ++i) {
        const QString& path = paths[i];
        // A small pool shows the same photo in several coming frames; it is
        // decoded once for all of them.
        const auto earlier = std::find_if(ahead_.begin(), ahead_.end(),
                                          [&](const Ahead& photo) { return photo.path == path; });
        if (earlier != ahead_.end()) {
            ahead_.push_back({path, earlier->slot});
            continue;
        }
        auto slot = std::make_shared<Slot>();
        workers_.start([slot, path, box = box_] { slot->decode(path, box); });
        ahead_.push_back({path, std::move(slot)});
    }
}

QImage PhotoPrefetch::take(const QString& path) {
    if (ahead_.empty() || ahead_.front().path != path) {
        forget();
        return LoadPictureToFit(path, box_);
    }
    const std::shared_ptr<Slot> slot = std::move(ahead_.front().slot);
    ahead_.pop_front();
    return slot->wait();
}

void PhotoPrefetch::forget() {
    dropFrom(0);
}

void PhotoPrefetch::setBox(QSize box) {
    if (box == box_)
        return;
    forget();
    box_ = box;
}

QStringList PhotoPrefetch::expected() const {
    QStringList paths;
    for (const Ahead& photo : ahead_)
        paths << photo.path;
    return paths;
}

void PhotoPrefetch::dropFrom(std::size_t place) {
    while (ahead_.size() > place) {
        const std::shared_ptr<Slot> slot = std::move(ahead_.back().slot);
        ahead_.pop_back();
        // A photo still expected in an earlier frame is still wanted.
        if (std::none_of(ahead_.begin(), ahead_.end(),
                         [&](const Ahead& photo) { return photo.slot == slot; }))
            slot->dropped = true;
    }
}

} // namespace tiravo
