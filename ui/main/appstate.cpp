#include "ui/main/appstate.h"

namespace korvane::ui {

AppState& app() {
    static AppState state;
    return state;
}

}  // namespace korvane::ui
