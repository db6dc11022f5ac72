#include "support/FakeRandom.h"

#include <gtest/gtest.h>

namespace tiravo {

int FakeRandom::letterIndex() {
    ++draws_;
    trace_.append(QLatin1Char('i'));
    if (script_.empty())
        return 0;
    const int index = script_[next_];
    next_ = (next_ + 1) % script_.size();
    return index;
}

void FakeRandom::reseed() {
    ++reseeds_;
    trace_.append(QLatin1Char('r'));
}

void FakeRandom::script(std::vector<int> indices) {
    for (const int index : indices) {
        if (index < 0 || index > 25) {
            ADD_FAILURE() << "FakeRandom scripted with " << index << ", outside 0 to 25";
            return;
        }
    }
    script_ = std::move(indices);
    next_ = 0;
}

} // namespace tiravo
