<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>tintdialog</name>
    <message>
        <source>the queue name is empty</source>
        <translation>der Warteschlangenname ist leer</translation>
    </message>
    <message>
        <source>the list of queues</source>
        <translation>die Liste der Warteschlangen</translation>
    </message>
    <message>
        <source>the default queue</source>
        <translation>die Standardwarteschlange</translation>
    </message>
    <message>
        <source>gui: --screenshot needs FILE.png</source>
        <translation>gui: --screenshot braucht DATEI.png</translation>
    </message>
    <message>
        <source>gui: --pane takes advanced or color, not %1</source>
        <translation>gui: --pane nimmt advanced oder color, nicht %1</translation>
    </message>
    <message>
        <source>gui: unexpected argument %1</source>
        <translation>gui: unerwartetes Argument %1</translation>
    </message>
    <message>
        <source>gui: the Advanced Color Options pane cannot be shown</source>
        <translation>gui: Der Bereich „Erweiterte Farboptionen“ kann nicht angezeigt werden</translation>
    </message>
    <message>
        <source>gui: cannot write %1</source>
        <translation>gui: %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Copies:</source>
        <translation>Kopien:</translation>
    </message>
    <message>
        <source>All pages (or e.g. 1-3,5)</source>
        <translation>Alle Seiten (oder z. B. 1-3,5)</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>Seiten:</translation>
    </message>
    <message>
        <source>This choice conflicts with another option of the printer</source>
        <translation>Diese Auswahl steht im Konflikt mit einer anderen Option des Druckers</translation>
    </message>
    <message>
        <source>Conflicts with other choices</source>
        <translation>Konflikt mit anderen Auswahlen</translation>
    </message>
    <message>
        <source>%1 is greyed out and cannot be changed</source>
        <translation>%1 ist ausgegraut und kann nicht geändert werden</translation>
    </message>
    <message>
        <source>%1 cannot be changed: %2</source>
        <translation>%1 kann nicht geändert werden: %2</translation>
    </message>
    <message>
        <source>the panel does not show its controls</source>
        <translation>das Bedienfeld zeigt seine Steuerelemente nicht</translation>
    </message>
    <message>
        <source>no control for option %1</source>
        <translation>kein Steuerelement für die Option %1</translation>
    </message>
    <message>
        <source>no choice %1 for %2 (choices: %3)</source>
        <translation>keine Auswahl %1 für %2 (Auswahlen: %3)</translation>
    </message>
    <message>
        <source>%1 takes True or False, not %2</source>
        <translation>%1 nimmt True oder False, nicht %2</translation>
    </message>
    <message>
        <source>%1 is not a control with choices</source>
        <translation>%1 ist kein Steuerelement mit Auswahlen</translation>
    </message>
    <message>
        <source>no plug-in bundle at %1 (missing Contents/Info.plist)</source>
        <translation>kein Plug-in-Paket unter %1 (Contents/Info.plist fehlt)</translation>
    </message>
    <message>
        <source>%1: not a property list dictionary</source>
        <translation>%1: kein Property-List-Wörterbuch</translation>
    </message>
    <message>
        <source>%1: no NSPrincipalClass</source>
        <translation>%1: keine NSPrincipalClass</translation>
    </message>
    <message>
        <source>%1 does not export TintpaneCreateObject</source>
        <translation>%1 exportiert TintpaneCreateObject nicht</translation>
    </message>
    <message>
        <source>%1: the folder %2 does not exist</source>
        <translation>%1: der Ordner %2 existiert nicht</translation>
    </message>
    <message>
        <source>the plug-in has no class %1</source>
        <translation>das Plug-in hat keine Klasse %1</translation>
    </message>
    <message>
        <source>the plug-in offers no printer-module panel</source>
        <translation>das Plug-in bietet kein Druckermodul-Bedienfeld</translation>
    </message>
    <message>
        <source>Print - %1</source>
        <translation>Drucken – %1</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>Drucker:</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Gerät:</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keines)</translation>
    </message>
    <message>
        <source>Documents:</source>
        <translation>Dokumente:</translation>
    </message>
    <message>
        <source>(none given)</source>
        <translation>(keine angegeben)</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Save as Default</source>
        <translation>Als Standard sichern</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Not printed: %1</source>
        <translation>Nicht gedruckt: %1</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Gesichert in %1</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Nicht gesichert: %1</translation>
    </message>
    <message>
        <source>These choices are now your defaults for %1</source>
        <translation>Diese Auswahlen sind jetzt Ihre Standardwerte für %1</translation>
    </message>
    <message>
        <source>Defaults not saved: %1</source>
        <translation>Standardwerte nicht gesichert: %1</translation>
    </message>
    <message>
        <source>nothing to print: name the documents on the command line (gui FILE...)</source>
        <translation>nichts zu drucken: nennen Sie die Dokumente auf der Befehlszeile (gui DATEI...)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Submitted as %1-%2</source>
        <translation>Übergeben als %1-%2</translation>
    </message>
    <message>
        <source>--copies takes a number from 1 to %1, not %2</source>
        <translation>--copies nimmt eine Zahl von 1 bis %1, nicht %2</translation>
    </message>
    <message>
        <source>--pages takes ascending ranges such as 1-3,5,8- (first page at most the last), not %1</source>
        <translation>--pages nimmt aufsteigende Bereiche wie 1-3,5,8- (erste Seite höchstens die letzte), nicht %1</translation>
    </message>
    <message>
        <source>cannot read standard input: %1</source>
        <translation>die Standardeingabe kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>cannot submit the job to %1: %2</source>
        <translation>der Auftrag kann nicht an %1 übergeben werden: %2</translation>
    </message>
    <message>
        <source>cannot follow job %1: %2</source>
        <translation>Auftrag %1 kann nicht verfolgt werden: %2</translation>
    </message>
    <message>
        <source>set: give at least one KEY=CHOICE</source>
        <translation>set: geben Sie mindestens ein SCHLÜSSEL=AUSWAHL an</translation>
    </message>
    <message>
        <source>set: expected KEY=CHOICE, got %1</source>
        <translation>set: SCHLÜSSEL=AUSWAHL erwartet, nicht %1</translation>
    </message>
    <message>
        <source>show: unexpected argument %1</source>
        <translation>show: unerwartetes Argument %1</translation>
    </message>
    <message>
        <source> (see tintdialog --help)</source>
        <translation> (siehe tintdialog --help)</translation>
    </message>
    <message>
        <source>no command given (see tintdialog --help)</source>
        <translation>kein Befehl angegeben (siehe tintdialog --help)</translation>
    </message>
    <message>
        <source>unknown command %1 (see tintdialog --help)</source>
        <translation>unbekannter Befehl %1 (siehe tintdialog --help)</translation>
    </message>
    <message>
        <source>no display for the window (use show, or gui --screenshot FILE.png)</source>
        <translation>kein Bildschirm für das Fenster (verwenden Sie show oder gui --screenshot DATEI.png)</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 braucht %2</translation>
    </message>
    <message>
        <source>%1 needs a non-empty %2</source>
        <translation>%1 braucht ein nicht leeres %2</translation>
    </message>
    <message>
        <source>the CUPS server %1 refused %2: </source>
        <translation>der CUPS-Server %1 hat %2 abgelehnt: </translation>
    </message>
    <message>
        <source>cannot reach the CUPS server %1: %2</source>
        <translation>der CUPS-Server %1 ist nicht erreichbar: %2</translation>
    </message>
    <message>
        <source>the CUPS server %1 does not answer: %2</source>
        <translation>der CUPS-Server %1 antwortet nicht: %2</translation>
    </message>
    <message>
        <source>the queue name %1 is longer than 127 bytes</source>
        <translation>der Name der Warteschlange %1 ist länger als 127 Bytes</translation>
    </message>
    <message>
        <source>%1 is not a queue name: CUPS names a queue with printable ASCII characters, without spaces or any of / \ ? # &apos; &quot;</source>
        <translation>%1 ist kein Name einer Warteschlange: CUPS benennt eine Warteschlange mit druckbaren ASCII-Zeichen, ohne Leerzeichen und ohne / \ ? # &apos; &quot;</translation>
    </message>
    <message>
        <source>the queue %1</source>
        <translation>die Warteschlange %1</translation>
    </message>
    <message>
        <source>the CUPS server %1 has no queue %2</source>
        <translation>der CUPS-Server %1 hat keine Warteschlange %2</translation>
    </message>
    <message>
        <source>the queue %1 has no PPD (a driverless queue): it is not a QV-MR52</source>
        <translation>die Warteschlange %1 hat keine PPD (eine treiberlose Warteschlange): sie ist keine QV-MR52</translation>
    </message>
    <message>
        <source>the PPD of %1</source>
        <translation>die PPD von %1</translation>
    </message>
    <message>
        <source>the queue %1 is not a QV-MR52 (its PPD, %2, has no Color Options)</source>
        <translation>die Warteschlange %1 ist keine QV-MR52 (ihre PPD, %2, hat keine Farboptionen)</translation>
    </message>
    <message>
        <source>no queue %1</source>
        <translation>keine Warteschlange %1</translation>
    </message>
    <message>
        <source>cannot write the user&apos;s lpoptions: %1</source>
        <translation>die lpoptions des Benutzers können nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>defaults: give save or clear</source>
        <translation>defaults: save oder clear angeben</translation>
    </message>
    <message>
        <source>defaults: the user&apos;s defaults belong to a queue (--queue NAME)</source>
        <translation>defaults: die Standardwerte des Benutzers gehören zu einer Warteschlange (--queue NAME)</translation>
    </message>
    <message>
        <source>queues: unexpected argument %1</source>
        <translation>queues: unerwartetes Argument %1</translation>
    </message>
    <message>
        <source>print: %1 needs a value</source>
        <translation>print: %1 braucht einen Wert</translation>
    </message>
    <message>
        <source>print: unknown option %1</source>
        <translation>print: unbekannte Option %1</translation>
    </message>
    <message>
        <source>print: documents and job options need a queue (--queue NAME)</source>
        <translation>print: Dokumente und Auftragsoptionen brauchen eine Warteschlange (--queue NAME)</translation>
    </message>
    <message>
        <source>gui: documents need a queue (--queue NAME)</source>
        <translation>gui: Dokumente brauchen eine Warteschlange (--queue NAME)</translation>
    </message>
    <message>
        <source>no choice %1 for %2</source>
        <translation>keine Auswahl %1 für %2</translation>
    </message>
    <message>
        <source>no control for option %1</source>
        <translation>kein Steuerelement für die Option %1</translation>
    </message>
    <message>
        <source>pending</source>
        <translation>wartend</translation>
    </message>
    <message>
        <source>held</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>processing</source>
        <translation>wird gedruckt</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>gestoppt</translation>
    </message>
    <message>
        <source>canceled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>vom System abgebrochen</translation>
    </message>
    <message>
        <source>completed</source>
        <translation>abgeschlossen</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
</context>
</TS>
