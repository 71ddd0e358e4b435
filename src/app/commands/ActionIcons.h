#pragma once
// Icons of the actions, by action name: freedesktop icon names from the icon theme (the breeze
// theme when the desktop sets none) and the program's own SVG icons for the tools no theme names.
class QObject;

namespace kalvo {

// Registers the program's own pictures (icons and the colour chart) kept in the resources.
void InitIconResources();

// Uses the breeze theme when the desktop names no theme, and breeze for names the desktop's
// theme lacks.
void SetUpIconTheme();

// Gives every action below root whose objectName has an icon that icon.
void ApplyActionIcons(QObject* root);

} // namespace kalvo
