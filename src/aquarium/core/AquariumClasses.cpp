#include "aquarium/core/AquariumClasses.h"

#include "aquarium/core/Bubbles.h"
#include "aquarium/core/Fishes.h"
#include "aquarium/core/FishRender.h"
#include "aquarium/core/GLClock.h"
#include "aquarium/core/UnderWater.h"
#include "scene/core/SceneRegistry.h"

void RegisterAquariumClasses()
{
    RegisterSceneClass("TFishes", NewSceneObject<TFishes>);
    RegisterSceneClass("TFishRender", NewSceneObject<TFishRender>);
    RegisterSceneClass("TBubbles", NewSceneObject<TBubbles>);
    RegisterSceneClass("TUnderWater", NewSceneObject<TUnderWater>);
    RegisterSceneClass("TGLClock", NewSceneObject<TGLClock>);
}
