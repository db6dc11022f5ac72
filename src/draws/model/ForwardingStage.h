#pragma once

#include "draws/model/DrawSkeleton.h"

namespace tiravo {

// A stage that dresses another: every call goes on to `inner` unless a
// subclass takes it. The prize band, the sound, the calm showing, the
// audience's screen and a batch's shortened show each add one thing this way,
// so that the draw itself runs the same whatever the stage around it.
class ForwardingStage : public DrawStage {
public:
    explicit ForwardingStage(DrawStage& inner) : inner_(inner) {}

    Pause& pause() override { return inner_.pause(); }
    void showTeaser(int milliseconds) override { inner_.showTeaser(milliseconds); }
    void putPlainFrame(bool paint) override { inner_.putPlainFrame(paint); }
    void showEntry(int place, int milliseconds) override { inner_.showEntry(place, milliseconds); }
    void showPickTitle(int milliseconds) override { inner_.showPickTitle(milliseconds); }
    void holdEntry(int place) override { inner_.holdEntry(place); }
    void expectEntries(const std::vector<int>& places) override { inner_.expectEntries(places); }

protected:
    DrawStage& inner() const { return inner_; }

private:
    DrawStage& inner_;
};

} // namespace tiravo
