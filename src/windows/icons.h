#pragma once

#include <QIcon>

// The frame's tool bar pictures, drawn here so that they look the same on every platform.
enum class TIcon { Registry, New, Open, Save, Print, Properties, Add, Edit, Delete, Register, Archive };
QIcon FrameIcon(TIcon icon);
