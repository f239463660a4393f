// Keeps diravir_ui a valid library while it has few sources of its own.
namespace diravir_ui_anchor { int Anchor = 0; }
