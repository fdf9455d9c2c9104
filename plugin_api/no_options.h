// ShowNoOptions: the box that every plug-in's Options shows.
#pragma once

#include "plugin_api/plugin_api.h"

void ShowNoOptions(WindowHandle parent, const char* message, const char* caption);
