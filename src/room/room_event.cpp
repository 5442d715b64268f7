#include "room/room_event.h"

#include <utility>

namespace tessera {

void RoomEventQueue::post(RoomEvent event) {
    std::lock_guard<std::mutex> guard(lock_);
    events_.push_back(std::move(event));
}

int RoomEventQueue::drain(const std::function<void(const RoomEvent&)>& apply) {
    std::deque<RoomEvent> batch;
    uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> guard(lock_);
        batch.swap(events_);
        generation = generation_;
    }
    int applied = 0;
    for (const RoomEvent& event : batch) {
        {
            std::lock_guard<std::mutex> guard(lock_);
            if (generation_ != generation)
                break;  // the queue was emptied (engine game stopped) while applying
        }
        if (apply)
            apply(event);
        ++applied;
    }
    return applied;
}

void RoomEventQueue::clear() {
    std::lock_guard<std::mutex> guard(lock_);
    events_.clear();
    ++generation_;
}

size_t RoomEventQueue::size() const {
    std::lock_guard<std::mutex> guard(lock_);
    return events_.size();
}

}  // namespace tessera
