#include "room/room_event.h"

#include <utility>

namespace tessera {

void RoomEvent::setKomi(double komi) {
    const auto bits = std::bit_cast<uint64_t>(komi);
    words[kEventWordKomiHigh] = static_cast<int32_t>(static_cast<uint32_t>(bits >> 32));
    words[kEventWordKomiLow] = static_cast<int32_t>(static_cast<uint32_t>(bits));
}

double RoomEvent::komi() const {
    const uint64_t high = static_cast<uint32_t>(words[kEventWordKomiHigh]);
    return std::bit_cast<double>(high << 32 | static_cast<uint32_t>(words[kEventWordKomiLow]));
}

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
