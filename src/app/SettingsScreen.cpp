// The settings screen: rows of the settings table, chosen and changed with the arrows, the mouse or a pad.
#include "app/SettingsScreen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/Input.h"
#include "app/KeyTable.h"
#include "app/OverlayText.h"
#include "app/SettingChange.h"
#include "app/Settings.h"
#include "common/Gl.h"
#include "text/GlFont.h"

namespace {

const char* const title = "Settings (F2 or Escape closes)";
const char* const howTo = "Up, Down: choose   Left, Right, Enter: change";
constexpr int nameColumn = 20;   // the names are padded to this width, so the values line up
constexpr int valueColumn = 12;  // and the values to this
// The window sizes Left and Right go through: the common screens' and the game's own.
constexpr struct {
    int width, height;
} windowSizes[] = {{640, 480},  {800, 600},  {1024, 768},  {1280, 720},  {1280, 800},
                   {1366, 768}, {1600, 900}, {1920, 1080}, {2560, 1440}, {3840, 2160}};

// The screen's lines around the middle of the window: the title, a gap, the rows, a gap, the notice; and a
// line's room above and below.
constexpr int linesBesideRows = 6;
int firstRowLine(size_t rows) { return -int(rows / 2); }

std::string padded(std::string text, size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

}  // namespace

SettingsScreen& SettingsScreen::instance() {
    static SettingsScreen screen;
    return screen;
}

void SettingsScreen::open() {
    shown_ = true;
    waitingForKey_ = false;
    notice_.clear();
    int x = 0, height = 0, width = 0;
    mouseInWindow(x, lastMouseY_, width, height);
}

void SettingsScreen::close() {
    shown_ = waitingForKey_ = false;
    notice_.clear();
}

void SettingsScreen::apply(size_t index, const std::string& text) {
    const std::string name = settingsTable()[index].name;
    const std::string wrong = changeSetting(index, text);
    notice_ = wrong.empty() ? name + ": " + gameSettings().text(index) : name + " " + wrong;
}

void SettingsScreen::step(int direction) {
    const SettingRow& row = settingsTable()[selected_];
    const Settings& settings = gameSettings();
    switch (row.kind) {
        case SettingKind::whole:
        case SettingKind::decimal: {
            const double value = std::clamp(settings.number(selected_) + direction * row.step, row.lo, row.hi);
            char text[32];
            std::snprintf(text, sizeof text, row.kind == SettingKind::whole ? "%.0f" : "%.4g", value);
            apply(selected_, text);
            break;
        }
        case SettingKind::onOff: apply(selected_, settings.number(selected_) != 0 ? "false" : "true"); break;
        case SettingKind::size: {
            // The next listed size past the present one, whatever it is; none past the largest or the smallest.
            const int area = settings.width() * settings.height();
            const int count = int(std::size(windowSizes));
            int next = -1;
            for (int i = 0; i < count && next < 0; ++i) {
                const int k = direction > 0 ? i : count - 1 - i;
                const int a = windowSizes[k].width * windowSizes[k].height;
                if (direction > 0 ? a > area : a < area) next = k;
            }
            if (next < 0) break;
            apply(selected_, std::to_string(windowSizes[next].width) + "x" + std::to_string(windowSizes[next].height));
            break;
        }
        case SettingKind::choice: {
            const std::vector<std::string> names = choiceNames(row);
            const int count = int(names.size());
            apply(selected_, names[size_t((int(settings.number(selected_)) + direction + count) % count)]);
            break;
        }
        case SettingKind::key:
            waitingForKey_ = true;
            notice_ = "Press the new key for " + std::string(row.name).substr(4) + " (Escape keeps " +
                      settings.text(selected_) + ")";
            break;
    }
}

void SettingsScreen::chooseRowUnderMouse() {
    int x = 0, y = 0, width = 0, height = 0;
    mouseInWindow(x, y, width, height);
    if (y == lastMouseY_ || height <= 0) return;
    lastMouseY_ = y;
    // printCentred's line k sits k line heights below the middle of the window.
    const int lineHeight = std::max(1, GlFont::instance().lineHeight());
    const int line = int(std::floor(float(y - height / 2) / float(lineHeight) + 0.5f));
    const int shown = int(rowsShown());
    const int row = line - firstRowLine(size_t(shown));
    if (row >= 0 && row < shown) selected_ = top_ + size_t(row);
}

size_t SettingsScreen::rowsShown() const {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int lines = viewport[3] / std::max(1, GlFont::instance().lineHeight());
    return std::clamp(size_t(std::max(1, lines - linesBesideRows)), size_t(1), settingsTable().size());
}

void SettingsScreen::scrollToChosen() {
    const size_t shown = rowsShown();
    if (selected_ < top_) top_ = selected_;
    if (selected_ >= top_ + shown) top_ = selected_ + 1 - shown;
    top_ = std::min(top_, settingsTable().size() - shown);
}

void SettingsScreen::handleKeys(const KeyPresses* pressed, int clicks) {
    const size_t rows = settingsTable().size();
    if (waitingForKey_) {
        if (pressed[vkEscape]) {
            waitingForKey_ = false;
            notice_.clear();
            return;
        }
        for (int code = 1; code < keyCodeCount; ++code) {
            if (!pressed[code] || code == vkLeftButton) continue;
            waitingForKey_ = false;
            apply(selected_, keyLabel(code));
            return;
        }
        return;
    }
    if (pressed[vkEscape] || pressed[vkBack] || pressed[keyCode(KeyAction::settings)]) {
        close();
        return;
    }
    chooseRowUnderMouse();
    // Each press moves once, however many came between two frames.
    selected_ = (selected_ + (rows - pressed[vkUp] % rows) + pressed[vkDown]) % rows;
    for (int i = 0; i < pressed[vkLeft]; ++i) step(-1);
    for (int i = 0; i < pressed[vkRight] + pressed[vkReturn] + clicks; ++i) step(+1);
    scrollToChosen();
}

void SettingsScreen::draw() {
    const std::vector<SettingRow>& table = settingsTable();
    const Settings& settings = gameSettings();
    scrollToChosen();  // the window may have changed its size
    const size_t shown = rowsShown();
    const char* const more = "...";  // rows scrolled out of the window, above or below
    std::vector<std::string> lines = {title, top_ > 0 ? more : ""};
    for (size_t i = top_; i < top_ + shown; ++i) {
        const bool chosen = i == selected_;
        const std::string value = chosen && waitingForKey_ ? "..." : settings.text(i);
        lines.push_back(std::string(chosen ? "> " : "  ") + padded(table[i].name, nameColumn) +
                        padded(value, valueColumn) + (chosen ? " <" : "  "));
    }
    lines.push_back(top_ + shown < table.size() ? more : "");
    lines.push_back(notice_.empty() ? howTo : notice_);
    printOverlayLines(lines, firstRowLine(shown) - 2);
}
