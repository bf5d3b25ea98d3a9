[MainScene]
Count=7

[MainScene1]
Type=TSceneTextureList
Name=Textures
Quality=High
ColorBit=32bit
MipMap=0
Count=1

[Textures1]
Type=TSceneTexture
Name=EndToEndTile.jpg
TextureName=EndToEndTile.jpg

[MainScene2]
Type=TSceneMaterialList
Name=Materials
Count=1

[Materials1]
Type=TSceneMaterial
Name=Tile
Count=1
Ambient1=0,0,0,1
Diffuse1=1,1,1,1
Specular1=0,0,0,1
Emission1=0,0,0,1
Shininess1=0
Front=1

[MainScene3]
Type=TSceneMeshList
Name=Meshes
Materials=Materials
Textures=Textures
Count=1

[Meshes1]
Type=TSceneMesh
Name=Tile
SourceName=SceneEndToEnd.3dm
Material=Materials/Tile

[MainScene4]
Type=TMainLight
Name=Light
ProcessOptions=[Render]
LightStyle=Parallel
Ambient=0,0,0,1
Diffuse=1,1,0.5,1
Specular=0,0,0,1
Direction=0,0,-1

[MainScene5]
Type=TSceneFont
Name=Font
FontName=Arial
FontCellSize=16
StartCode1=32
EndCode1=126

[MainScene6]
Type=TMainVisualObject
Name=TileObject
ProcessOptions=[Render,Animation]
Visual=Meshes/Tile
Position=-80,-40,-400
Angles=0,0,90

[MainScene7]
Type=TSceneString
Name=Caption
ProcessOptions=[Render]
Font=Font
Text=OK
X=8
Y=100
Color=0,255,255,255
