// The settings screen (F2): every row of the settings table with its value over the view, the world holding
// still meanwhile. Up and Down (or the mouse) choose a row, Left and Right (or a click) change it, Enter sets
// a key row to the next key pressed (Escape cancels; a key another action has is refused with a notice),
// Escape, Backspace or F2 close it. A change takes effect at once and is saved.
#pragma once

#include <string>

#include "common/InputState.h"

class SettingsScreen {
   public:
    static SettingsScreen& instance();

    bool shown() const { return shown_; }
    void open();
    void close();

    // How often each key went down in this pass (indexed by virtual-key code), and the left button's clicks;
    // the game's own keys do nothing while the screen shows.
    void handleKeys(const KeyPresses* pressed, int clicks);
    // Prints the rows over the view, centred, the chosen one marked; as many as the window's height holds,
    // scrolled so that the chosen one shows.
    void draw();

    // The row chosen and the line of notice under the rows (for the tests, as the player reads them).
    size_t selected() const { return selected_; }
    // How many rows the window shows, and the first of them.
    size_t rowsShown() const;
    size_t firstShown() const { return top_; }
    const std::string& notice() const { return notice_; }

   private:
    void step(int direction);  // Left (-1) or Right (+1) on the chosen row
    void apply(size_t index, const std::string& text);
    void chooseRowUnderMouse();
    // Moves the first row shown as little as shows the chosen one.
    void scrollToChosen();

    bool shown_ = false;
    bool waitingForKey_ = false;
    size_t selected_ = 0;
    size_t top_ = 0;       // the first row shown
    int lastMouseY_ = -1;  // the mouse chooses a row only when it moves
    std::string notice_;
};
