#pragma once

// Toolbar button indexes (FlatBttn(i)), named after the commands they run.
namespace Button {
enum : int {
    New = 0,
    Open = 1,
    Save = 2,
    Print = 3,
    Cut = 4,
    Copy = 5,
    Paste = 6,
    Delete = 7,
    Find = 8,
    ListAlpha = 9,
    ListCat = 10,
    TextView = 11,
    ListView = 12,
    MoveUp = 13,
    MoveDown = 14,
    Comment = 15,
    ShowHelp = 16,
    Count = 17
};
}
