// The aquarium's scene classes: "TFishes", "TFishRender", "TBubbles",
// "TUnderWater", "TGLClock". The program registers them at start-up, before
// it loads a scene description; registering again changes nothing.
#pragma once

void RegisterAquariumClasses();
