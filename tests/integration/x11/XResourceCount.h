#pragma once

#include <cstddef>

// What a test counts before and after an editor's life to find leaks: the X server's client
// connections and the resources they hold (windows, pixmaps, GCs, cursors...), through the
// X-Resource extension, and this process's open file descriptors.
struct XResourceCount
{
  int clients = 0;
  long resources = 0;
  size_t descriptors = 0;

  bool operator==(const XResourceCount& other) const
  {
    return clients == other.clients && resources == other.resources &&
           descriptors == other.descriptors;
  }
};

// Counted now; the descriptor of the connection used for counting is not included.
XResourceCount CountXResources();
