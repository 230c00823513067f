// A tiny library that the dynamic-loading tests build and load at run time.
extern "C" __attribute__((visibility("default"))) int kz_probe_answer(int x) { return 2 * x + 1; }
