#pragma once
// The dictionary window's layouts, chosen by the screen height when the window is created: a
// compact one for screens exactly 480 pixels high, a large one above 600, the normal one otherwise.
// The search form is 200 pixels wide; in the right column the result form takes the client height
// less 50 pixels (at least 20) above the ideogram picture view.
namespace lumora {

struct DictionaryFormLayout {
    int searchDialog; // 28675 compact, 28676 normal, 28677 large
    int resultDialog; // 28681 compact, 28682 normal, 28683 large
    int margin;       // pixels around the controls
    int spacing;      // pixels between them
};

inline DictionaryFormLayout dictionaryFormLayout(int screenHeight) {
    if (screenHeight == 480) return {28675, 28681, 2, 2};
    if (screenHeight > 600) return {28677, 28683, 10, 8};
    return {28676, 28682, 6, 4};
}

constexpr int kDictionarySearchFormWidth = 200;

// The height of the result form in a right column of `clientHeight` pixels.
inline int dictionaryResultHeight(int clientHeight) {
    const int h = clientHeight - 50;
    return h < 20 ? 20 : h;
}

} // namespace lumora
