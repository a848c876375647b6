// The input waiting for the next frame, oldest first, in a fixed store: nothing is allocated while
// the park runs. Input beyond the store's size is dropped rather than stalling.
#pragma once

#include "input/input_event.h"

class EventQueue {
  public:
    static constexpr int kCapacity = 512;

    virtual ~EventQueue() = default;

    // false when the store is full and the event was dropped.
    bool push(const InputEvent& event);
    // The oldest event; false when none waits.
    bool take(InputEvent& event);
    int size() const { return count_; }
    void clear() { first_ = count_ = 0; }

  private:
    InputEvent events_[kCapacity];
    int first_ = 0;
    int count_ = 0;
};
