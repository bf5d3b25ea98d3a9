// What the program does for the aquarium once, at start-up, before it loads
// a scene description: the clock takes the user's locale's short weekday
// names, and the aquarium's scene classes are registered.
#pragma once

void InitializeAquarium();
