<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Tintpane</name>
    <message>
        <source>Color Options</source>
        <translation>Farboptionen</translation>
    </message>
    <message>
        <source>Quick Color</source>
        <translation>Schnellfarbe</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Color as Grayscale</source>
        <translation>Farbe als Graustufen</translation>
    </message>
    <message>
        <source>Color Separation</source>
        <translation>Farbauszug</translation>
    </message>
    <message>
        <source>EconoMode</source>
        <translation>Sparmodus</translation>
    </message>
    <message>
        <source>EdgeType</source>
        <translation>Kantentyp</translation>
    </message>
    <message>
        <source>AutoTrapping</source>
        <translation>Automatisches Überfüllen</translation>
    </message>
    <message>
        <source>BlackOverprint</source>
        <translation>Schwarz überdrucken</translation>
    </message>
    <message>
        <source>Quick Color:</source>
        <translation>Schnellfarbe:</translation>
    </message>
    <message>
        <source>Brightness:</source>
        <translation>Helligkeit:</translation>
    </message>
    <message>
        <source>EdgeType:</source>
        <translation>Kantentyp:</translation>
    </message>
    <message>
        <source>BlackOverprint:</source>
        <translation>Schwarz überdrucken:</translation>
    </message>
    <message>
        <source>Advanced Color Options</source>
        <translation>Erweiterte Farboptionen</translation>
    </message>
    <message>
        <source>RGB Source:</source>
        <translation>RGB-Quelle:</translation>
    </message>
    <message>
        <source>RGB Intent:</source>
        <translation>RGB-Wiedergabe:</translation>
    </message>
    <message>
        <source>RGB Gray Treatment:</source>
        <translation>RGB-Graubehandlung:</translation>
    </message>
    <message>
        <source>Destination Profile:</source>
        <translation>Zielprofil:</translation>
    </message>
    <message>
        <source>Halftone:</source>
        <translation>Raster:</translation>
    </message>
    <message>
        <source>EdgeEnhance:</source>
        <translation>Kantenverstärkung:</translation>
    </message>
    <message>
        <source>Simulation Profile:</source>
        <translation>Simulationsprofil:</translation>
    </message>
    <message>
        <source>Match Paper Color:</source>
        <translation>Papierfarbe angleichen:</translation>
    </message>
    <message>
        <source>CMYK Gray Treatment:</source>
        <translation>CMYK-Graubehandlung:</translation>
    </message>
    <message>
        <source>Image RGB Source</source>
        <translation>Bild RGB-Quelle</translation>
    </message>
    <message>
        <source>Image RGB Intent</source>
        <translation>Bild RGB-Wiedergabe</translation>
    </message>
    <message>
        <source>Image RGB Gray Treatment</source>
        <translation>Bild RGB-Graubehandlung</translation>
    </message>
    <message>
        <source>Image Destination Profile</source>
        <translation>Bild Zielprofil</translation>
    </message>
    <message>
        <source>Image Halftone</source>
        <translation>Bild Raster</translation>
    </message>
    <message>
        <source>Image EdgeEnhance</source>
        <translation>Bild Kantenverstärkung</translation>
    </message>
    <message>
        <source>Text RGB Source</source>
        <translation>Text RGB-Quelle</translation>
    </message>
    <message>
        <source>Text RGB Intent</source>
        <translation>Text RGB-Wiedergabe</translation>
    </message>
    <message>
        <source>Text RGB Gray Treatment</source>
        <translation>Text RGB-Graubehandlung</translation>
    </message>
    <message>
        <source>Text Destination Profile</source>
        <translation>Text Zielprofil</translation>
    </message>
    <message>
        <source>Text Halftone</source>
        <translation>Text Raster</translation>
    </message>
    <message>
        <source>Text EdgeEnhance</source>
        <translation>Text Kantenverstärkung</translation>
    </message>
    <message>
        <source>Graphics RGB Source</source>
        <translation>Grafik RGB-Quelle</translation>
    </message>
    <message>
        <source>Graphics RGB Intent</source>
        <translation>Grafik RGB-Wiedergabe</translation>
    </message>
    <message>
        <source>Graphics RGB Gray Treatment</source>
        <translation>Grafik RGB-Graubehandlung</translation>
    </message>
    <message>
        <source>Graphics Destination Profile</source>
        <translation>Grafik Zielprofil</translation>
    </message>
    <message>
        <source>Graphics Halftone</source>
        <translation>Grafik Raster</translation>
    </message>
    <message>
        <source>Graphics EdgeEnhance</source>
        <translation>Grafik Kantenverstärkung</translation>
    </message>
    <message>
        <source>Simulation Profile</source>
        <translation>Simulationsprofil</translation>
    </message>
    <message>
        <source>Match Paper Color</source>
        <translation>Papierfarbe angleichen</translation>
    </message>
    <message>
        <source>CMYK Gray Treatment</source>
        <translation>CMYK-Graubehandlung</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Graphics</source>
        <translation>Grafik</translation>
    </message>
    <message>
        <source>Simulation</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>Management Profile</source>
        <translation>Profilverwaltung</translation>
    </message>
    <message>
        <source>Sendrix</source>
        <translation>Sendrix</translation>
    </message>
    <message>
        <source>Hide Advanced Options</source>
        <translation>Erweiterte Optionen ausblenden</translation>
    </message>
    <message>
        <source>Disk</source>
        <translation>Festplatte</translation>
    </message>
    <message>
        <source>ProfileTitle</source>
        <translation>Profilverwaltung</translation>
    </message>
    <message>
        <source>Profile Management</source>
        <translation>Profilverwaltung</translation>
    </message>
    <message>
        <source>Profile type:</source>
        <translation>Profiltyp:</translation>
    </message>
    <message>
        <source>RGB Source</source>
        <translation>RGB-Quelle</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Profile Name</source>
        <translation>Profilname</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Profile Name:</source>
        <translation>Profilname:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Durchsuchen…</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Ticked profiles are offered in the profile menus</source>
        <translation>Markierte Profile werden in den Profilmenüs angeboten</translation>
    </message>
    <message>
        <source>Name of the profile on the printer's disk</source>
        <translation>Name des Profils auf der Festplatte des Druckers</translation>
    </message>
    <message>
        <source>Name shown in the profile menus</source>
        <translation>In den Profilmenüs angezeigter Name</translation>
    </message>
    <message>
        <source>%1 is on</source>
        <translation>%1 eingeschaltet ist</translation>
    </message>
    <message>
        <source>%1 is off</source>
        <translation>%1 ausgeschaltet ist</translation>
    </message>
    <message>
        <source>%1 is %2</source>
        <translation>%1 auf „%2“ steht</translation>
    </message>
    <message>
        <source>%1 is not %2</source>
        <translation>%1 nicht auf „%2“ steht</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>Unavailable while %1</source>
        <translation>Nicht verfügbar, solange %1</translation>
    </message>
    <message>
        <source>Choose %1 "%2" to change the advanced options</source>
        <translation>Wählen Sie bei %1 „%2“, um die erweiterten Optionen zu ändern</translation>
    </message>
    <message>
        <source>Unavailable: you may not change the printer's profile lists</source>
        <translation>Nicht verfügbar: Sie dürfen die Profillisten des Druckers nicht ändern</translation>
    </message>
    <message>
        <source>Unavailable: only members of the group "%1" may change the printer's profile lists</source>
        <translation>Nicht verfügbar: Nur Mitglieder der Gruppe „%1“ dürfen die Profillisten des Druckers ändern</translation>
    </message>
    <message>
        <source>Unavailable: the profile service cannot be reached on the session bus</source>
        <translation>Nicht verfügbar: Der Profildienst ist auf dem Sitzungsbus nicht erreichbar</translation>
    </message>
    <message>
        <source>Unavailable: Sendrix is not installed</source>
        <translation>Nicht verfügbar: Sendrix ist nicht installiert</translation>
    </message>
    <message>
        <source>the profile lists were not saved: %1</source>
        <translation>Die Profillisten wurden nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>the printer at %1 did not answer; its profiles are shown as last read</source>
        <translation>Der Drucker unter %1 hat nicht geantwortet; seine Profile werden wie zuletzt gelesen angezeigt</translation>
    </message>
    <message>
        <source>the profile list of the printer at %1 could not be read (result %2); its profiles are shown as last read</source>
        <translation>Die Profilliste des Druckers unter %1 konnte nicht gelesen werden (Ergebnis %2); seine Profile werden wie zuletzt gelesen angezeigt</translation>
    </message>
    <message>
        <source>the profile service did not answer; the printer's profiles are shown as last read</source>
        <translation>Der Profildienst hat nicht geantwortet; die Profile des Druckers werden wie zuletzt gelesen angezeigt</translation>
    </message>
    <message>
        <source>Enter a profile name</source>
        <translation>Geben Sie einen Profilnamen ein</translation>
    </message>
    <message>
        <source>ICC profiles (*.icc *.icm)</source>
        <translation>ICC-Profile (*.icc *.icm)</translation>
    </message>
</context>
</TS>
