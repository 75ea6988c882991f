<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Tintpane</name>
    <message>
        <source>Color Options</source>
        <translation>Color Options</translation>
    </message>
    <message>
        <source>Quick Color</source>
        <translation>Quick Color</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>Color as Grayscale</source>
        <translation>Color as Grayscale</translation>
    </message>
    <message>
        <source>Color Separation</source>
        <translation>Color Separation</translation>
    </message>
    <message>
        <source>EconoMode</source>
        <translation>EconoMode</translation>
    </message>
    <message>
        <source>EdgeType</source>
        <translation>EdgeType</translation>
    </message>
    <message>
        <source>AutoTrapping</source>
        <translation>AutoTrapping</translation>
    </message>
    <message>
        <source>BlackOverprint</source>
        <translation>BlackOverprint</translation>
    </message>
    <message>
        <source>Quick Color:</source>
        <translation>Quick Color:</translation>
    </message>
    <message>
        <source>Brightness:</source>
        <translation>Brightness:</translation>
    </message>
    <message>
        <source>EdgeType:</source>
        <translation>EdgeType:</translation>
    </message>
    <message>
        <source>BlackOverprint:</source>
        <translation>BlackOverprint:</translation>
    </message>
    <message>
        <source>Advanced Color Options</source>
        <translation>Advanced Color Options</translation>
    </message>
    <message>
        <source>RGB Source:</source>
        <translation>RGB Source:</translation>
    </message>
    <message>
        <source>RGB Intent:</source>
        <translation>RGB Intent:</translation>
    </message>
    <message>
        <source>RGB Gray Treatment:</source>
        <translation>RGB Gray Treatment:</translation>
    </message>
    <message>
        <source>Destination Profile:</source>
        <translation>Destination Profile:</translation>
    </message>
    <message>
        <source>Halftone:</source>
        <translation>Halftone:</translation>
    </message>
    <message>
        <source>EdgeEnhance:</source>
        <translation>EdgeEnhance:</translation>
    </message>
    <message>
        <source>Simulation Profile:</source>
        <translation>Simulation Profile:</translation>
    </message>
    <message>
        <source>Match Paper Color:</source>
        <translation>Match Paper Color:</translation>
    </message>
    <message>
        <source>CMYK Gray Treatment:</source>
        <translation>CMYK Gray Treatment:</translation>
    </message>
    <message>
        <source>Image RGB Source</source>
        <translation>Image RGB Source</translation>
    </message>
    <message>
        <source>Image RGB Intent</source>
        <translation>Image RGB Intent</translation>
    </message>
    <message>
        <source>Image RGB Gray Treatment</source>
        <translation>Image RGB Gray Treatment</translation>
    </message>
    <message>
        <source>Image Destination Profile</source>
        <translation>Image Destination Profile</translation>
    </message>
    <message>
        <source>Image Halftone</source>
        <translation>Image Halftone</translation>
    </message>
    <message>
        <source>Image EdgeEnhance</source>
        <translation>Image EdgeEnhance</translation>
    </message>
    <message>
        <source>Text RGB Source</source>
        <translation>Text RGB Source</translation>
    </message>
    <message>
        <source>Text RGB Intent</source>
        <translation>Text RGB Intent</translation>
    </message>
    <message>
        <source>Text RGB Gray Treatment</source>
        <translation>Text RGB Gray Treatment</translation>
    </message>
    <message>
        <source>Text Destination Profile</source>
        <translation>Text Destination Profile</translation>
    </message>
    <message>
        <source>Text Halftone</source>
        <translation>Text Halftone</translation>
    </message>
    <message>
        <source>Text EdgeEnhance</source>
        <translation>Text EdgeEnhance</translation>
    </message>
    <message>
        <source>Graphics RGB Source</source>
        <translation>Graphics RGB Source</translation>
    </message>
    <message>
        <source>Graphics RGB Intent</source>
        <translation>Graphics RGB Intent</translation>
    </message>
    <message>
        <source>Graphics RGB Gray Treatment</source>
        <translation>Graphics RGB Gray Treatment</translation>
    </message>
    <message>
        <source>Graphics Destination Profile</source>
        <translation>Graphics Destination Profile</translation>
    </message>
    <message>
        <source>Graphics Halftone</source>
        <translation>Graphics Halftone</translation>
    </message>
    <message>
        <source>Graphics EdgeEnhance</source>
        <translation>Graphics EdgeEnhance</translation>
    </message>
    <message>
        <source>Simulation Profile</source>
        <translation>Simulation Profile</translation>
    </message>
    <message>
        <source>Match Paper Color</source>
        <translation>Match Paper Color</translation>
    </message>
    <message>
        <source>CMYK Gray Treatment</source>
        <translation>CMYK Gray Treatment</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Graphics</source>
        <translation>Graphics</translation>
    </message>
    <message>
        <source>Simulation</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>Management Profile</source>
        <translation>Management Profile</translation>
    </message>
    <message>
        <source>Sendrix</source>
        <translation>Sendrix</translation>
    </message>
    <message>
        <source>Hide Advanced Options</source>
        <translation>Hide Advanced Options</translation>
    </message>
    <message>
        <source>Disk</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>ProfileTitle</source>
        <translation>Profile Management</translation>
    </message>
    <message>
        <source>Profile Management</source>
        <translation>Profile Management</translation>
    </message>
    <message>
        <source>Profile type:</source>
        <translation>Profile type:</translation>
    </message>
    <message>
        <source>RGB Source</source>
        <translation>RGB Source</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Destination</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>File Name</translation>
    </message>
    <message>
        <source>Profile Name</source>
        <translation>Profile Name</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>File Name:</translation>
    </message>
    <message>
        <source>Profile Name:</source>
        <translation>Profile Name:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Location:</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Ticked profiles are offered in the profile menus</source>
        <translation>Ticked profiles are offered in the profile menus</translation>
    </message>
    <message>
        <source>Name of the profile on the printer's disk</source>
        <translation>Name of the profile on the printer's disk</translation>
    </message>
    <message>
        <source>Name shown in the profile menus</source>
        <translation>Name shown in the profile menus</translation>
    </message>
    <message>
        <source>%1 is on</source>
        <translation>%1 is on</translation>
    </message>
    <message>
        <source>%1 is off</source>
        <translation>%1 is off</translation>
    </message>
    <message>
        <source>%1 is %2</source>
        <translation>%1 is %2</translation>
    </message>
    <message>
        <source>%1 is not %2</source>
        <translation>%1 is not %2</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <source>Unavailable while %1</source>
        <translation>Unavailable while %1</translation>
    </message>
    <message>
        <source>Choose %1 "%2" to change the advanced options</source>
        <translation>Choose %1 "%2" to change the advanced options</translation>
    </message>
    <message>
        <source>Unavailable: you may not change the printer's profile lists</source>
        <translation>Unavailable: you may not change the printer's profile lists</translation>
    </message>
    <message>
        <source>Unavailable: only members of the group "%1" may change the printer's profile lists</source>
        <translation>Unavailable: only members of the group "%1" may change the printer's profile lists</translation>
    </message>
    <message>
        <source>Unavailable: the profile service cannot be reached on the session bus</source>
        <translation>Unavailable: the profile service cannot be reached on the session bus</translation>
    </message>
    <message>
        <source>Unavailable: Sendrix is not installed</source>
        <translation>Unavailable: Sendrix is not installed</translation>
    </message>
    <message>
        <source>the profile lists were not saved: %1</source>
        <translation>the profile lists were not saved: %1</translation>
    </message>
    <message>
        <source>the printer at %1 did not answer; its profiles are shown as last read</source>
        <translation>the printer at %1 did not answer; its profiles are shown as last read</translation>
    </message>
    <message>
        <source>the profile list of the printer at %1 could not be read (result %2); its profiles are shown as last read</source>
        <translation>the profile list of the printer at %1 could not be read (result %2); its profiles are shown as last read</translation>
    </message>
    <message>
        <source>the profile service did not answer; the printer's profiles are shown as last read</source>
        <translation>the profile service did not answer; the printer's profiles are shown as last read</translation>
    </message>
    <message>
        <source>Enter a profile name</source>
        <translation>Enter a profile name</translation>
    </message>
    <message>
        <source>ICC profiles (*.icc *.icm)</source>
        <translation>ICC profiles (*.icc *.icm)</translation>
    </message>
</context>
</TS>
