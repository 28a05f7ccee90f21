#pragma once

// The message box types and answers IGraphics::ShowMessageBox takes and
// returns, with the values of the Windows message box the editor was made for.
constexpr int kMessageBoxOk = 0;
constexpr int kMessageBoxYesNo = 4;
constexpr int kAnswerYes = 6;
