// The waiting input as a ring.
#include "input/event_queue.h"

bool EventQueue::push(const InputEvent& event) {
    if (count_ == kCapacity) return false;
    events_[(first_ + count_) % kCapacity] = event;
    ++count_;
    return true;
}

bool EventQueue::take(InputEvent& event) {
    if (count_ == 0) return false;
    event = events_[first_];
    first_ = (first_ + 1) % kCapacity;
    --count_;
    return true;
}
