[Scene]
Path=.\Data\
Count=3
Capacity=8

[Scene1]
Type=TResource
Name=Textures
ProcessOptions=[Render]
SourceLocation=[File,Resource]
Count=1

[Textures1]
Type=TResource
Name=Sand
Visible=0

[Scene2]
Type=TMainItemList
Name=Items

[Scene3]
Type=TMainObjectList
Name=Objects
Alpha=1
