#pragma once

// A source compiled once per instruction set (see engine/CMakeLists.txt)
// names what it defines with ENGINE_ISA_NAME(Name), which becomes NameSse2 in
// the baseline compilation and NameAvx2 in the AVX2 one.
#define ENGINE_ISA_PASTE_TOKENS(name, suffix) name##suffix
#define ENGINE_ISA_PASTE(name, suffix) ENGINE_ISA_PASTE_TOKENS(name, suffix)
#define ENGINE_ISA_NAME(name) ENGINE_ISA_PASTE(name, ENGINE_ISA_SUFFIX)
