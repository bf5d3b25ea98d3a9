; The aquarium: textures, materials and meshes first, then the lights, the
; three water backgrounds, the salt-water and fresh-water fish groups, the
; bubbles and the clock. Objects refer only to objects above them, and the
; scene draws its objects in the order of this file. The build stores it
; line-scrambled as the resource FISHES_GSC. ASCII only.

[MainScene]
Count=14

; Pictures of the backgrounds and the clock. The fish and bubble meshes add
; their own pictures to this list by file name when they load.
[MainScene1]
Type=TSceneTextureList
Name=Textures
Quality=High
ColorBit=32bit
MipMap=0
Count=8

[Textures1]
Type=TSceneTexture
Name=caustics
TextureName=caustics.jpg

[Textures2]
Type=TSceneTexture
Name=surface1
TextureName=surface1.jpg

[Textures3]
Type=TSceneTexture
Name=seabed1
TextureName=seabed1.jpg

[Textures4]
Type=TSceneTexture
Name=surface2
TextureName=surface2.jpg

[Textures5]
Type=TSceneTexture
Name=seabed2
TextureName=seabed2.jpg

[Textures6]
Type=TSceneTexture
Name=surface3
TextureName=surface3.jpg

[Textures7]
Type=TSceneTexture
Name=seabed3
TextureName=seabed3.jpg

[Textures8]
Type=TSceneTexture
Name=clock
Format=Alpha
TextureName=clock.bmp
AlphaName=clocka.bmp

; The clock's sprites are drawn unlit in the sprite's colour.
[MainScene2]
Type=TSceneMaterialList
Name=Materials
Count=1

[Materials1]
Type=TSceneMaterial
Name=SpriteMaterial
Count=1
Ambient1=1,1,1,1
Diffuse1=1,1,1,1
Specular1=0,0,0,1
Emission1=0,0,0,1
Shininess1=0

; Each fish mesh holds one tail beat of twelve frames: most fish beat about
; once a second, the slow angelfish and discus less, the neon tetra faster.
; The bubble is a still sphere.
[MainScene3]
Type=TSceneMeshList
Name=Meshes
Materials=Materials
Textures=Textures
Count=7

[Meshes1]
Type=TSceneMesh
Name=BlueTang
SourceName=bluetang.3dm
FPS=12

[Meshes2]
Type=TSceneMesh
Name=YellowTang
SourceName=yellowtang.3dm
FPS=12

[Meshes3]
Type=TSceneMesh
Name=Butterfly
SourceName=copperbandedbutterfly.3dm
FPS=10

[Meshes4]
Type=TSceneMesh
Name=Angelfish
SourceName=angelfish.3dm
FPS=8

[Meshes5]
Type=TSceneMesh
Name=NeonTetra
SourceName=neontetra.3dm
FPS=18

[Meshes6]
Type=TSceneMesh
Name=Discus
SourceName=discus.3dm
FPS=8

[Meshes7]
Type=TSceneMesh
Name=Bubble
SourceName=bubble.3dm

; Lights act where they stand in the drawing order: before the fish.
; A cool ambient light and the sun from above and behind the viewer.
[MainScene4]
Type=TMainLight
Name=AmbientLight
ProcessOptions=[Render]
Ambient=0.30,0.34,0.42,1

[MainScene5]
Type=TMainLight
Name=SunLight
ProcessOptions=[Render]
LightStyle=Parallel
Ambient=0,0,0,1
Diffuse=1,0.98,0.92,1
Specular=0.5,0.5,0.5,1
Direction=0.2,-1,-0.5

; The water backgrounds, listed in the settings by name. Their order sets
; the clock's colour: blue, cyan, green. The surface fades into UpColor and
; the sea bed into BottomColor, the two ends of the back plane's gradient.
[MainScene6]
Type=TUnderWater
Name=Blue Lagoon
ProcessOptions=[Render,Animation]
FarPlane=9000
FogStart=600
FogEnd=8000
FogColor=38,110,180,255
EmulateDepth=0
UpY=1500
BottomY=-1100
UpColor=60,150,225,255
BottomColor=18,70,135,255
UpAlpha=0.3
BottomAlpha=0.3
BottomTexture=Textures/seabed1
UpTexture=Textures/surface1
LightMapTexture=Textures/caustics

[MainScene7]
Type=TUnderWater
Name=Turquoise Reef
ProcessOptions=[Render,Animation]
FarPlane=9000
FogStart=600
FogEnd=8000
FogColor=30,150,170,255
EmulateDepth=0
UpY=1500
BottomY=-1100
UpColor=50,195,215,255
BottomColor=10,105,130,255
UpAlpha=0.3
BottomAlpha=0.3
BottomTexture=Textures/seabed2
UpTexture=Textures/surface2
LightMapTexture=Textures/caustics

[MainScene8]
Type=TUnderWater
Name=Green Water
ProcessOptions=[Render,Animation]
FarPlane=9000
FogStart=600
FogEnd=8000
FogColor=44,122,94,255
EmulateDepth=0
UpY=1500
BottomY=-1100
UpColor=70,165,125,255
BottomColor=18,80,62,255
UpAlpha=0.3
BottomAlpha=0.3
BottomTexture=Textures/seabed3
UpTexture=Textures/surface3
LightMapTexture=Textures/caustics

; The fish groups. The settings show one of them; each shoal's name is
; its entry in the settings and its value name in the registry.
[MainScene9]
Type=TFishRender
Name=SaltWater
ProcessOptions=[Render,Animation]
Alpha=1
StepZ=10
SortAlpha=0
FishDirection=Right
Count=3

[SaltWater1]
Type=TFishes
Name=Blue Tang
Visual=Meshes/BlueTang
ParticleCount=0
MaxZ=2400
MinZ=300
UpY=650
BottomY=-750
MaxSpeed=230
MinSpeed=90
MaxCount=30

[SaltWater2]
Type=TFishes
Name=Yellow Tang
Visual=Meshes/YellowTang
ParticleCount=0
MaxZ=2400
MinZ=300
UpY=650
BottomY=-750
MaxSpeed=210
MinSpeed=80
MaxCount=30

[SaltWater3]
Type=TFishes
Name=Copperband Butterfly
Visual=Meshes/Butterfly
ParticleCount=0
MaxZ=2200
MinZ=300
UpY=500
BottomY=-850
MaxSpeed=170
MinSpeed=60
MaxCount=30

[MainScene10]
Type=TFishRender
Name=FreshWater
ProcessOptions=[Render,Animation]
Alpha=1
StepZ=10
SortAlpha=0
FishDirection=Right
Count=3

[FreshWater1]
Type=TFishes
Name=Angelfish
Visual=Meshes/Angelfish
ParticleCount=0
MaxZ=2200
MinZ=300
UpY=650
BottomY=-700
MaxSpeed=150
MinSpeed=50
MaxCount=30

[FreshWater2]
Type=TFishes
Name=Neon Tetra
Visual=Meshes/NeonTetra
ParticleCount=0
MaxZ=1800
MinZ=250
UpY=400
BottomY=-800
MaxSpeed=260
MinSpeed=110
MaxCount=40

[FreshWater3]
Type=TFishes
Name=Discus
Visual=Meshes/Discus
ParticleCount=0
MaxZ=2400
MinZ=350
UpY=550
BottomY=-750
MaxSpeed=140
MinSpeed=50
MaxCount=30

; Bubbles rise from the sea bed to the surface.
[MainScene11]
Type=TBubbles
Name=Bubbles
ProcessOptions=[Render,Animation]
Visual=Meshes/Bubble
ParticleCount=0
MaxZ=4000
MinZ=350
UpY=1500
BottomY=-1100
MaxSpeed=320
MinSpeed=140
MaxCount=100

; The clock's sprites: cells of clock.bmp (pixels from its top left), one
; per digit, mark and weekday. Never drawn by themselves.
[MainScene12]
Type=TResource
Name=ClockSprites
Count=21

[ClockSprites1]
Type=TSceneSprite
Name=0
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=24
Height=40
StartU=0
StartV=0

[ClockSprites2]
Type=TSceneSprite
Name=1
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=24
Height=40
StartU=24
StartV=0

[ClockSprites3]
Type=TSceneSprite
Name=2
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=24
Height=40
StartU=48
StartV=0

[ClockSprites4]
Type=TSceneSprite
Name=3
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=24
Height=40
StartU=72
StartV=0

[ClockSprites5]
Type=TSceneSprite
Name=4
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=24
Height=40
StartU=96
StartV=0

[ClockSprites6]
Type=TSceneSprite
Name=5
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=24
Height=40
StartU=120
StartV=0

[ClockSprites7]
Type=TSceneSprite
Name=6
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=24
Height=40
StartU=144
StartV=0

[ClockSprites8]
Type=TSceneSprite
Name=7
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=24
Height=40
StartU=168
StartV=0

[ClockSprites9]
Type=TSceneSprite
Name=8
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=24
Height=40
StartU=192
StartV=0

[ClockSprites10]
Type=TSceneSprite
Name=9
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=24
Height=40
StartU=216
StartV=0

[ClockSprites11]
Type=TSceneSprite
Name=colon
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=16
Height=40
StartU=240
StartV=0

[ClockSprites12]
Type=TSceneSprite
Name=am
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=40
Height=40
StartU=0
StartV=40

[ClockSprites13]
Type=TSceneSprite
Name=pm
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=40
Height=40
StartU=40
StartV=40

[ClockSprites14]
Type=TSceneSprite
Name=slash
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=20
Height=40
StartU=80
StartV=40

[ClockSprites15]
Type=TSceneSprite
Name=sun
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=52
Height=40
StartU=100
StartV=40

[ClockSprites16]
Type=TSceneSprite
Name=mon
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=52
Height=40
StartU=152
StartV=40

[ClockSprites17]
Type=TSceneSprite
Name=tue
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=52
Height=40
StartU=204
StartV=40

[ClockSprites18]
Type=TSceneSprite
Name=wed
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=52
Height=40
StartU=0
StartV=80

[ClockSprites19]
Type=TSceneSprite
Name=thu
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=52
Height=40
StartU=52
StartV=80

[ClockSprites20]
Type=TSceneSprite
Name=fri
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=52
Height=40
StartU=104
StartV=80

[ClockSprites21]
Type=TSceneSprite
Name=sat
Texture=Textures/clock
Material=Materials/SpriteMaterial
OriginX=0
OriginY=0
Width=52
Height=40
StartU=156
StartV=80

; The clock's items in a 1024 x 768 view, bottom right: the time above,
; the weekday and the month/day below. The clock draws this layer itself.
[MainScene13]
Type=TMainSpriteList
Name=ClockLayer
Alpha=1
ViewWidth=1024
ViewHeight=768
Position=828,16,0
Lighting=0
Count=13

[ClockLayer1]
Type=TMainVisualObject
Name=time1
VisualOptions=[Position]
Position=0,44,0
Visual=ClockSprites/0

[ClockLayer2]
Type=TMainVisualObject
Name=time2
VisualOptions=[Position]
Position=24,44,0
Visual=ClockSprites/0

[ClockLayer3]
Type=TMainVisualObject
Name=time3
VisualOptions=[Position]
Position=48,44,0
Visual=ClockSprites/colon

[ClockLayer4]
Type=TMainVisualObject
Name=time4
VisualOptions=[Position]
Position=64,44,0
Visual=ClockSprites/0

[ClockLayer5]
Type=TMainVisualObject
Name=time5
VisualOptions=[Position]
Position=88,44,0
Visual=ClockSprites/0

[ClockLayer6]
Type=TMainVisualObject
Name=time6
VisualOptions=[Position]
Position=114,44,0
Visual=ClockSprites/am

[ClockLayer7]
Type=TMainVisualObject
Name=time7
VisualOptions=[Position]
Position=114,44,0
Visual=ClockSprites/pm

[ClockLayer8]
Type=TMainVisualObject
Name=day
VisualOptions=[Position]
Position=0,0,0
Visual=ClockSprites/sun

[ClockLayer9]
Type=TMainVisualObject
Name=month1
VisualOptions=[Position]
Position=56,0,0
Visual=ClockSprites/0

[ClockLayer10]
Type=TMainVisualObject
Name=month2
VisualOptions=[Position]
Position=80,0,0
Visual=ClockSprites/0

[ClockLayer11]
Type=TMainVisualObject
Name=slash
VisualOptions=[Position]
Position=104,0,0
Visual=ClockSprites/slash

[ClockLayer12]
Type=TMainVisualObject
Name=month4
VisualOptions=[Position]
Position=124,0,0
Visual=ClockSprites/0

[ClockLayer13]
Type=TMainVisualObject
Name=month5
VisualOptions=[Position]
Position=148,0,0
Visual=ClockSprites/0

; Last: the clock draws over everything.
[MainScene14]
Type=TGLClock
Name=GLClock
ProcessOptions=[Render,Animation]
Sprites=ClockSprites
Objects=ClockLayer
