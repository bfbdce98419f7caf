// Compiled with one layer's include roots: PROBE_HEADER is found only when it
// belongs to that layer or to one below it.
#include PROBE_HEADER

int LayerProbe() {
  return 0;
}
