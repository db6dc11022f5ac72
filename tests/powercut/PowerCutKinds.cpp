#include "PowerCutKinds.h"

#include "store/Connection.h"
#include "store/Query.h"

namespace tiravo::powercut {

std::vector<PowerCutFactory> AllPowerCutKinds() {
    return {NumberRangeCut, DrawCut, NameImportCut};
}

} // namespace tiravo::powercut
