#include "calc/model.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

namespace korvane {

void copyAllButResults(SiloModel& to, const SiloModel& from) {
    static_assert(std::is_trivially_copyable_v<SiloModel> && std::is_standard_layout_v<SiloModel>);
    constexpr std::size_t head = offsetof(SiloModel, SIGMAV);
    constexpr std::size_t tail = offsetof(SiloModel, Fuellmenge);
    static_assert(offsetof(SiloModel, Rtrichter) + sizeof(SiloModel::Rtrichter) <= tail);
    std::memcpy(static_cast<void*>(&to), &from, head);
    std::memcpy(reinterpret_cast<char*>(&to) + tail, reinterpret_cast<const char*>(&from) + tail,
                sizeof(SiloModel) - tail);
}

const SiloModel& freshModel() {
    static const SiloModel* fresh = new SiloModel();
    return *fresh;
}

}  // namespace korvane
