/*
 * The parent "window" a Linux host hands to a plug-in's editor. There is no
 * window system behind the editor on Linux: the host passes a pointer to this
 * record where a Windows host passes its HWND (VST2: the ptr of effEditOpen;
 * VST3: the parent of IPlugView::attached with the platform type
 * IOFFSCREEN_PARENT_PLATFORM_TYPE). While the editor is open the host drives it
 * through the functions the plug-in fills in and answers its dialogs through
 * the callbacks the host filled in.
 *
 * The record crosses the module boundary, so it holds only C types and
 * function pointers. Neither side may let an exception escape through a call.
 * Everything runs on the host's user-interface thread.
 *
 * Lifetime: the host keeps the record at the same address from the open call
 * until the editor is closed (effEditClose, IPlugView::removed) or the plug-in
 * destroyed, whichever comes first; the plug-in clears its part then.
 */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C"
{
#endif

/* The VST3 platform type naming this record. */
#define IOFFSCREEN_PARENT_PLATFORM_TYPE "QuillwaveOffscreen"

enum
{
  /* 'QwOP': tells the record from any other pointer a host may pass. */
  kIOffscreenParentMagic = 0x51774F50,
  kIOffscreenParentVersion = 1
};

/* Bits of the modifiers argument; left and right say which buttons are down. */
enum
{
  kIOffscreenLeftButton = 1,
  kIOffscreenRightButton = 2,
  kIOffscreenShift = 4,
  kIOffscreenControl = 8,
  kIOffscreenAlt = 16
};

/* Bits of IOffscreenMenuItem.flags. Only plain items can be chosen. */
enum
{
  kIOffscreenItemDisabled = 1,
  kIOffscreenItemTitle = 2,
  kIOffscreenItemChecked = 4,
  kIOffscreenItemSeparator = 8
};

/* The action argument of chooseFile. */
enum
{
  kIOffscreenFileOpen = 0,
  kIOffscreenFileSave = 1
};

typedef struct IOffscreenMenuItem
{
  const char* text; /* as shown, with the menu's numbering */
  int32_t flags;
  int32_t submenu; /* index of the menu it opens, -1 for none */
} IOffscreenMenuItem;

typedef struct IOffscreenMenu
{
  const char* title; /* text of the item that opens it; "" for the top menu */
  int32_t itemCount;
  const IOffscreenMenuItem* items;
} IOffscreenMenu;

typedef struct IOffscreenParent IOffscreenParent;

struct IOffscreenParent
{
  /* ---- Set by the host before opening ---- */
  uint32_t magic;    /* kIOffscreenParentMagic */
  uint32_t version;  /* kIOffscreenParentVersion */
  uint32_t size;     /* sizeof (IOffscreenParent) as the host was built */
  uint32_t reserved; /* 0 */

  /* The user's answers. A null callback cancels. Strings passed in are valid
   * for the call only. */
  void* hostData;
  /* The menu is menus[0]; its items may open the other menus. Return 1 with
   * the menu and item index chosen, 0 for no choice. */
  int32_t (*chooseMenuItem)(void* hostData, const IOffscreenMenu* menus, int32_t menuCount,
                            int32_t* menu, int32_t* item);
  /* Return 1 with the chosen file's full path, NUL-terminated, in path, or 0
   * to cancel. */
  int32_t (*chooseFile)(void* hostData, int32_t action, const char* file, const char* folder,
                        const char* extensions, char* path, int32_t pathCapacity);
  /* Return 1 with the committed text, NUL-terminated, in text (the editor
   * keeps at most maxLength characters), or 0 to cancel. */
  int32_t (*enterText)(void* hostData, const char* initialText, int32_t maxLength, char* text,
                       int32_t textCapacity);

  /* ---- Set by the plug-in while the editor is open; null when closed ---- */
  void* editor;
  int32_t framesPerSecond; /* how often the host should call tick */
  int32_t editorReserved;  /* 0 */
  /* Input in editor coordinates. Each returns 0 when the editor is closed. */
  int32_t (*mouseDown)(IOffscreenParent* parent, int32_t x, int32_t y, uint32_t modifiers);
  int32_t (*mouseUp)(IOffscreenParent* parent, int32_t x, int32_t y, uint32_t modifiers);
  /* With a button in modifiers this drags what the press captured. */
  int32_t (*mouseMove)(IOffscreenParent* parent, int32_t x, int32_t y, uint32_t modifiers);
  int32_t (*doubleClick)(IOffscreenParent* parent, int32_t x, int32_t y, uint32_t modifiers);
  int32_t (*wheel)(IOffscreenParent* parent, int32_t x, int32_t y, uint32_t modifiers,
                   int32_t steps);
  /* key: 0 space, 1 up, 2 down, 3 left, 4 right, 5..14 the digits, 15..40 the
   * letters A..Z. Returns 1 when the editor took the key; the host handles it
   * otherwise. */
  int32_t (*keyDown)(IOffscreenParent* parent, int32_t x, int32_t y, int32_t key);
  /* The redraw timer: draws what changed. Returns 1 when something was drawn. */
  int32_t (*tick)(IOffscreenParent* parent);
  int32_t (*getSize)(IOffscreenParent* parent, int32_t* width, int32_t* height);
  /* Copies what the editor shows: width × height 32-bit words, alpha in the
   * top byte and blue in the lowest, rows top-down without padding. Returns
   * the number of words written; 0 when they do not fit or nothing has been
   * drawn yet (tick first). */
  int32_t (*readPixels)(IOffscreenParent* parent, uint32_t* pixels, int32_t pixelCapacity);
};

#ifdef __cplusplus
}
#endif
