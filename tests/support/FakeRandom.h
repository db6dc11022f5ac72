#pragma once

#include "platform/Random.h"

#include <QString>

#include <vector>

namespace tiravo {

// Answers a scripted sequence of indices, starting over when it runs out (an
// empty script answers 0), and writes down the order of calls: "r" for a
// reseed, "i" for an index, so "riiiiriiii" is two keys each built after a
// reseed.
class FakeRandom final : public Random {
public:
    int letterIndex() override;
    void reseed() override;

    // Every value must lie in 0 to 25 (else the test fails and the script is
    // kept); the sequence starts again from the first value.
    void script(std::vector<int> indices);

    int reseeds() const { return reseeds_; }
    int draws() const { return draws_; }
    const QString& trace() const { return trace_; }

private:
    std::vector<int> script_;
    std::size_t next_ = 0;
    int reseeds_ = 0;
    int draws_ = 0;
    QString trace_;
};

} // namespace tiravo
