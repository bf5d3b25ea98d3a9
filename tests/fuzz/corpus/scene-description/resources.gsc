[Aquarium]
Path=.\Data\
Count=2

[Aquarium1]
Type=TResource
Name=Rocks
Count=1

[Rocks1]
Type=TResource
Name=Sand

[Aquarium2]
Type=TResource
Name=Plants
Visible=1
