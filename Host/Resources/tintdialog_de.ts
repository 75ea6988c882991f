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
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>a queue of the CUPS server (default: the user's default queue)</source>
        <translation>eine Warteschlange des CUPS-Servers (Vorgabe: die Standardwarteschlange des Benutzers)</translation>
    </message>
    <message>
        <source>the longest wait for the CUPS server: to connect, for each answer, for each piece of a document; a PPD's transfer may take twice as long (default: 30)</source>
        <translation>die längste Wartezeit auf den CUPS-Server: für die Verbindung, für jede Antwort, für jedes Stück eines Dokuments; die Übertragung einer PPD darf doppelt so lange dauern (Vorgabe: 30)</translation>
    </message>
    <message>
        <source>SECONDS</source>
        <translation>SEKUNDEN</translation>
    </message>
    <message>
        <source>Scheduler is not running</source>
        <translation>Der Scheduler läuft nicht</translation>
    </message>
    <message>
        <source>HOST[:PORT]</source>
        <translation>RECHNER[:PORT]</translation>
    </message>
    <message>
        <source>the CUPS server (default: CUPS_SERVER, else the local one)</source>
        <translation>der CUPS-Server (Vorgabe: CUPS_SERVER, sonst der lokale)</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>a printer description instead of a queue (such as the sample printer's, Demo/QV-MR52.ppd)</source>
        <translation>eine Druckerbeschreibung statt einer Warteschlange (etwa die des Beispieldruckers, Demo/QV-MR52.ppd)</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>the queue's name (default: the queue's, else QV_MR52)</source>
        <translation>der Name der Warteschlange (Vorgabe: der der Warteschlange, sonst QV_MR52)</translation>
    </message>
    <message>
        <source>URI</source>
        <translation>URI</translation>
    </message>
    <message>
        <source>the queue's device URI (default: the queue's, else none)</source>
        <translation>die Geräte-URI der Warteschlange (Vorgabe: die der Warteschlange, sonst keine)</translation>
    </message>
    <message>
        <source>the job's print settings, an XML property list (default: one file per queue)</source>
        <translation>die Druckeinstellungen des Auftrags, eine XML-Property-List (Vorgabe: eine Datei je Warteschlange)</translation>
    </message>
    <message>
        <source>DIR</source>
        <translation>ORDNER</translation>
    </message>
    <message>
        <source>the Tintpane.plugin bundle (default: the one built beside)</source>
        <translation>das Bundle Tintpane.plugin (Vorgabe: das daneben gebaute)</translation>
    </message>
    <message>
        <source>this text</source>
        <translation>dieser Text</translation>
    </message>
    <message>
        <source>the program's version</source>
        <translation>die Version des Programms</translation>
    </message>
    <message>
        <source>usage: tintdialog [OPTIONS] COMMAND [ARGS]</source>
        <translation>Aufruf: tintdialog [OPTIONEN] BEFEHL [ARGUMENTE]</translation>
    </message>
    <message>
        <source>The print dialog of one QV-MR52 queue with its Color Options panel.</source>
        <translation>Der Druckdialog einer QV-MR52-Warteschlange mit seinem Bereich „Farboptionen“.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Befehle:</translation>
    </message>
    <message>
        <source>Exit status: 0 on success (Print in the window), 1 when a followed job ended without completing or the window was cancelled, 2 on bad usage, a refused change or a refused job.</source>
        <translation>Rückgabewert: 0 bei Erfolg („Drucken“ im Fenster), 1, wenn ein verfolgter Auftrag endete, ohne abgeschlossen zu werden, oder das Fenster abgebrochen wurde, 2 bei falschem Aufruf, einer abgelehnten Änderung oder einem abgelehnten Auftrag.</translation>
    </message>
    <message>
        <source>--queue and --ppd exclude each other: a queue brings its own PPD</source>
        <translation>--queue und --ppd schließen einander aus: eine Warteschlange bringt ihre eigene PPD mit</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 nimmt keinen Wert</translation>
    </message>
    <message>
        <source>the report as JSON</source>
        <translation>der Bericht als JSON</translation>
    </message>
    <message>
        <source>load the panel as the dialog does and report its controls, the host page, summary and settings</source>
        <translation>lädt das Panel wie der Dialog und berichtet seine Bedienelemente, die Seite des Dialogs, die Zusammenfassung und die Einstellungen</translation>
    </message>
    <message>
        <source>the list as JSON</source>
        <translation>die Liste als JSON</translation>
    </message>
    <message>
        <source>list the CUPS server's queues: name, default mark, state, kind (QV-MR52, other, no-PPD), make and model, device URI (tab-separated)</source>
        <translation>listet die Warteschlangen des CUPS-Servers: Name, Standardmarke, Zustand, Art (QV-MR52, other, no-PPD), Hersteller und Modell, Geräte-URI (durch Tabulatoren getrennt)</translation>
    </message>
    <message>
        <source>choose CHOICE in the control of PPD option KEY (True/False for check boxes, #N for menu item N), then save</source>
        <translation>wählt WAHL im Bedienelement der PPD-Option SCHLÜSSEL (True/False für Ankreuzfelder, #N für Menüeintrag N) und sichert dann</translation>
    </message>
    <message>
        <source>save: make the panel's and the host page's choices the user's defaults for the queue (lpoptions, as lp reads them); clear: remove them</source>
        <translation>save: macht die Wahl des Panels und der Seite des Dialogs zu den Vorgaben des Benutzers für die Warteschlange (lpoptions, wie lp sie liest); clear: entfernt sie</translation>
    </message>
    <message>
        <source>FILE.png</source>
        <translation>DATEI.png</translation>
    </message>
    <message>
        <source>render the window once into a PNG file and exit</source>
        <translation>zeichnet das Fenster einmal in eine PNG-Datei und endet</translation>
    </message>
    <message>
        <source>with --screenshot: the profile management window instead</source>
        <translation>mit --screenshot: stattdessen das Fenster der Profilverwaltung</translation>
    </message>
    <message>
        <source>advanced|color</source>
        <translation>advanced|color</translation>
    </message>
    <message>
        <source>the pane the panel shows first</source>
        <translation>der Bereich, den das Panel zuerst zeigt</translation>
    </message>
    <message>
        <source>press Print as the window shows</source>
        <translation>drückt „Drucken“, sobald das Fenster erscheint</translation>
    </message>
    <message>
        <source>[--screenshot FILE.png [--profiles]] [--pane advanced] [--print] [FILE...]</source>
        <translation>[--screenshot DATEI.png [--profiles]] [--pane advanced] [--print] [DATEI...]</translation>
    </message>
    <message>
        <source>the print dialog's window; with a queue its Print button sends FILE... and follows the job</source>
        <translation>das Fenster des Druckdialogs; mit einer Warteschlange sendet seine Schaltfläche „Drucken“ DATEI... und verfolgt den Auftrag</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>the number of copies</source>
        <translation>die Anzahl der Kopien</translation>
    </message>
    <message>
        <source>RANGES</source>
        <translation>BEREICHE</translation>
    </message>
    <message>
        <source>the pages to print, as 1-3,5</source>
        <translation>die zu druckenden Seiten, etwa 1-3,5</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>the job's title</source>
        <translation>der Titel des Auftrags</translation>
    </message>
    <message>
        <source>follow the job until it ends</source>
        <translation>verfolgt den Auftrag bis zu seinem Ende</translation>
    </message>
    <message>
        <source>[--copies N] [--pages RANGES] [--title TEXT] [--wait] [FILE...]</source>
        <translation>[--copies N] [--pages BEREICHE] [--title TEXT] [--wait] [DATEI...]</translation>
    </message>
    <message>
        <source>as the Print button: with a queue, submit one job with the files (standard input when none) and the panel's options, --wait follows it to its end; without a queue, list the job's options as KEY=VALUE lines</source>
        <translation>wie die Schaltfläche „Drucken“: mit einer Warteschlange einen Auftrag mit den Dateien (der Standardeingabe, wenn keine) und den Optionen des Panels senden, --wait verfolgt ihn bis zu seinem Ende; ohne Warteschlange die Optionen des Auftrags als Zeilen SCHLÜSSEL=WERT ausgeben</translation>
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
        <source>%1 is disabled</source>
        <translation>%1 ist deaktiviert</translation>
    </message>
    <message>
        <source>the edit area's OK</source>
        <translation>das OK des Bearbeitungsbereichs</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
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
        <source>the file-name field does not take "%1" (it holds "%2")</source>
        <translation>das Dateinamenfeld nimmt "%1" nicht an (es enthält "%2")</translation>
    </message>
    <message>
        <source>the profile-name field does not take "%1" (it holds "%2")</source>
        <translation>das Profilnamenfeld nimmt "%1" nicht an (es enthält "%2")</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>the Advanced Color Options pane cannot be shown</source>
        <translation>der Bereich „Erweiterte Farboptionen“ kann nicht gezeigt werden</translation>
    </message>
    <message>
        <source>the panel has no "Management Profile" button</source>
        <translation>das Panel hat keine Schaltfläche „Profilverwaltung“</translation>
    </message>
    <message>
        <source>"Management Profile" is disabled (%1)</source>
        <translation>„Profilverwaltung“ ist deaktiviert (%1)</translation>
    </message>
    <message>
        <source>the profile list cannot be written</source>
        <translation>die Profilliste kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the profile window lacks its controls</source>
        <translation>dem Profilfenster fehlen seine Bedienelemente</translation>
    </message>
    <message>
        <source>the profile window did not open</source>
        <translation>das Profilfenster hat sich nicht geöffnet</translation>
    </message>
    <message>
        <source>no row of %1 lists the file %2</source>
        <translation>keine Zeile von %1 nennt die Datei %2</translation>
    </message>
    <message>
        <source>row %1 is not in %2 (%3 rows)</source>
        <translation>Zeile %1 gibt es in %2 nicht (%3 Zeilen)</translation>
    </message>
    <message>
        <source>profiles: %1 (usage: profiles list [GROUP] | tick GROUP ROW [--on|--off] | add GROUP FILENAME DISPLAYNAME | edit GROUP ROW [--file NAME] --name DISPLAYNAME | delete GROUP ROW; GROUP is RGB, SIM or DST; ROW is a row number or --file FILENAME)</source>
        <translation>profiles: %1 (Aufruf: profiles list [GRUPPE] | tick GRUPPE ZEILE [--on|--off] | add GRUPPE DATEINAME ANZEIGENAME | edit GRUPPE ZEILE [--file NAME] --name ANZEIGENAME | delete GRUPPE ZEILE; GRUPPE ist RGB, SIM oder DST; ZEILE ist eine Zeilennummer oder --file DATEINAME)</translation>
    </message>
    <message>
        <source>FILENAME</source>
        <translation>DATEINAME</translation>
    </message>
    <message>
        <source>in place of ROW: the row that lists this file; after ROW (edit): the new file name</source>
        <translation>statt ZEILE: die Zeile, die diese Datei nennt; nach ZEILE (edit): der neue Dateiname</translation>
    </message>
    <message>
        <source>DISPLAYNAME</source>
        <translation>ANZEIGENAME</translation>
    </message>
    <message>
        <source>edit: the new display name</source>
        <translation>edit: der neue Anzeigename</translation>
    </message>
    <message>
        <source>tick: tick the row's check box</source>
        <translation>tick: das Ankreuzfeld der Zeile ankreuzen</translation>
    </message>
    <message>
        <source>tick: untick the row's check box</source>
        <translation>tick: das Kreuz im Ankreuzfeld der Zeile entfernen</translation>
    </message>
    <message>
        <source>a subcommand is needed</source>
        <translation>ein Unterbefehl wird gebraucht</translation>
    </message>
    <message>
        <source>unknown group %1</source>
        <translation>unbekannte Gruppe %1</translation>
    </message>
    <message>
        <source>list takes at most a group</source>
        <translation>list nimmt höchstens eine Gruppe</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>unerwartetes Argument %1</translation>
    </message>
    <message>
        <source>%1 takes GROUP ROW (or GROUP --file NAME)</source>
        <translation>%1 nimmt GRUPPE ZEILE (oder GRUPPE --file NAME)</translation>
    </message>
    <message>
        <source>the check box of row %1 did not change</source>
        <translation>das Ankreuzfeld der Zeile %1 hat sich nicht geändert</translation>
    </message>
    <message>
        <source>row %1 is a profile on the printer and cannot be deleted</source>
        <translation>Zeile %1 ist ein Profil auf dem Drucker und kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>add takes GROUP FILENAME DISPLAYNAME</source>
        <translation>add nimmt GRUPPE DATEINAME ANZEIGENAME</translation>
    </message>
    <message>
        <source>the window refused the entry (a profile on the disk has that file name, or the group is full)</source>
        <translation>das Fenster hat den Eintrag abgelehnt (ein Profil auf der Festplatte hat diesen Dateinamen, oder die Gruppe ist voll)</translation>
    </message>
    <message>
        <source>edit takes GROUP ROW (or GROUP --file NAME) [--file NEWNAME] --name DISPLAYNAME</source>
        <translation>edit nimmt GRUPPE ZEILE (oder GRUPPE --file NAME) [--file NEUERNAME] --name ANZEIGENAME</translation>
    </message>
    <message>
        <source>edit needs --name DISPLAYNAME</source>
        <translation>edit braucht --name ANZEIGENAME</translation>
    </message>
    <message>
        <source>the file name of a profile from the printer cannot be changed</source>
        <translation>der Dateiname eines Profils vom Drucker kann nicht geändert werden</translation>
    </message>
    <message>
        <source>the window refused the change (a profile on the disk has that file name)</source>
        <translation>das Fenster hat die Änderung abgelehnt (ein Profil auf der Festplatte hat diesen Dateinamen)</translation>
    </message>
    <message>
        <source>unknown subcommand %1</source>
        <translation>unbekannter Unterbefehl %1</translation>
    </message>
    <message>
        <source>list [GROUP] | tick GROUP ROW [--on|--off] | delete GROUP ROW | add GROUP FILE NAME | edit GROUP ROW [--file F] --name N   (ROW: a number, or --file FILENAME)</source>
        <translation>list [GRUPPE] | tick GRUPPE ZEILE [--on|--off] | delete GRUPPE ZEILE | add GRUPPE DATEI NAME | edit GRUPPE ZEILE [--file D] --name N   (ZEILE: eine Nummer oder --file DATEINAME)</translation>
    </message>
    <message>
        <source>the profile management window: list prints rows (row, ticked, inMenu, file, name, location; without GROUP each line starts with it) and ends with Cancel; tick toggles a row's check box (--on/--off: ticks or unticks it); tick, add, edit and delete end with OK</source>
        <translation>das Fenster der Profilverwaltung: list gibt die Zeilen aus (Zeile, angekreuzt, inMenu, Datei, Name, Ort; ohne GRUPPE beginnt jede Zeile mit ihr) und endet mit Abbrechen; tick schaltet das Ankreuzfeld einer Zeile um (--on/--off: kreuzt es an oder entfernt das Kreuz); tick, add, edit und delete enden mit OK</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
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
    <message>
        <source>cannot write a temporary file</source>
        <translation>eine temporäre Datei kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>offline</source>
        <translation>offline</translation>
    </message>
    <message>
        <source>out of paper</source>
        <translation>kein Papier</translation>
    </message>
    <message>
        <source>paper needed</source>
        <translation>Papier benötigt</translation>
    </message>
    <message>
        <source>paper jam</source>
        <translation>Papierstau</translation>
    </message>
    <message>
        <source>a door is open</source>
        <translation>eine Klappe ist offen</translation>
    </message>
    <message>
        <source>the cover is open</source>
        <translation>die Abdeckung ist offen</translation>
    </message>
    <message>
        <source>out of toner</source>
        <translation>kein Toner</translation>
    </message>
    <message>
        <source>toner low</source>
        <translation>wenig Toner</translation>
    </message>
    <message>
        <source>out of toner or ink</source>
        <translation>kein Toner oder keine Tinte</translation>
    </message>
    <message>
        <source>toner or ink low</source>
        <translation>wenig Toner oder Tinte</translation>
    </message>
    <message>
        <source>connecting to the printer</source>
        <translation>Verbindung zum Drucker wird hergestellt</translation>
    </message>
    <message>
        <source>a filter is missing</source>
        <translation>ein Filter fehlt</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>pausiert</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>bereit</translation>
    </message>
    <message>
        <source>not accepting jobs</source>
        <translation>nimmt keine Aufträge an</translation>
    </message>
    <message>
        <source>(default)</source>
        <translation>(Standard)</translation>
    </message>
    <message>
        <source>(no colour options)</source>
        <translation>(keine Farboptionen)</translation>
    </message>
    <message>
        <source>Opening %1…</source>
        <translation>%1 wird geöffnet…</translation>
    </message>
    <message>
        <source>Add Files…</source>
        <translation>Dateien hinzufügen…</translation>
    </message>
    <message>
        <source>Previous Sheet</source>
        <translation>Vorheriges Blatt</translation>
    </message>
    <message>
        <source>Next Sheet</source>
        <translation>Nächstes Blatt</translation>
    </message>
    <message>
        <source>No document</source>
        <translation>Kein Dokument</translation>
    </message>
    <message>
        <source>No preview for this kind of document</source>
        <translation>Keine Vorschau für diese Art von Dokument</translation>
    </message>
    <message>
        <source>The page ranges select no page of this document</source>
        <translation>Die Seitenbereiche wählen keine Seite dieses Dokuments</translation>
    </message>
    <message>
        <source>Sheet %1 of %2</source>
        <translation>Blatt %1 von %2</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>%1 (%2 page(s))</source>
        <translation>%1 (%2 Seite(n))</translation>
    </message>
    <message>
        <source>page range %1 goes beyond the %2 page(s) of %3</source>
        <translation>Seitenbereich %1 geht über die %2 Seite(n) von %3 hinaus</translation>
    </message>
    <message>
        <source>%1 cannot be read as PDF</source>
        <translation>%1 kann nicht als PDF gelesen werden</translation>
    </message>
    <message>
        <source>%1 cannot be read as PostScript</source>
        <translation>%1 kann nicht als PostScript gelesen werden</translation>
    </message>
    <message>
        <source>Add…</source>
        <translation>Hinzufügen…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Add Documents</source>
        <translation>Dokumente hinzufügen</translation>
    </message>
    <message>
        <source>Documents (*.pdf *.ps *.eps *.png *.jpg *.jpeg *.tif *.tiff *.gif *.txt);;All files (*)</source>
        <translation>Dokumente (*.pdf *.ps *.eps *.png *.jpg *.jpeg *.tif *.tiff *.gif *.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Odd or even pages</source>
        <translation>Ungerade oder gerade Seiten</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Hochformat</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Querformat</translation>
    </message>
    <message>
        <source>Reverse landscape</source>
        <translation>Querformat, gedreht</translation>
    </message>
    <message>
        <source>Reverse portrait</source>
        <translation>Hochformat, gedreht</translation>
    </message>
    <message>
        <source>Pages per sheet</source>
        <translation>Seiten pro Blatt</translation>
    </message>
    <message>
        <source>Page order on the sheet</source>
        <translation>Seitenfolge auf dem Blatt</translation>
    </message>
    <message>
        <source>Left to right, top to bottom</source>
        <translation>Von links nach rechts, von oben nach unten</translation>
    </message>
    <message>
        <source>Left to right, bottom to top</source>
        <translation>Von links nach rechts, von unten nach oben</translation>
    </message>
    <message>
        <source>Right to left, top to bottom</source>
        <translation>Von rechts nach links, von oben nach unten</translation>
    </message>
    <message>
        <source>Right to left, bottom to top</source>
        <translation>Von rechts nach links, von unten nach oben</translation>
    </message>
    <message>
        <source>Top to bottom, left to right</source>
        <translation>Von oben nach unten, von links nach rechts</translation>
    </message>
    <message>
        <source>Top to bottom, right to left</source>
        <translation>Von oben nach unten, von rechts nach links</translation>
    </message>
    <message>
        <source>Bottom to top, left to right</source>
        <translation>Von unten nach oben, von links nach rechts</translation>
    </message>
    <message>
        <source>Bottom to top, right to left</source>
        <translation>Von unten nach oben, von rechts nach links</translation>
    </message>
    <message>
        <source>Scaling</source>
        <translation>Skalierung</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Shrink to fit when too large</source>
        <translation>Verkleinern, wenn zu groß</translation>
    </message>
    <message>
        <source>Fit to page</source>
        <translation>An Seite anpassen</translation>
    </message>
    <message>
        <source>Fill the page</source>
        <translation>Seite füllen</translation>
    </message>
    <message>
        <source>Actual size</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>All pages</source>
        <translation>Alle Seiten</translation>
    </message>
    <message>
        <source>Odd pages</source>
        <translation>Ungerade Seiten</translation>
    </message>
    <message>
        <source>Even pages</source>
        <translation>Gerade Seiten</translation>
    </message>
    <message>
        <source>Output order</source>
        <translation>Ausgabereihenfolge</translation>
    </message>
    <message>
        <source>First page first</source>
        <translation>Erste Seite zuerst</translation>
    </message>
    <message>
        <source>Last page first</source>
        <translation>Letzte Seite zuerst</translation>
    </message>
    <message>
        <source>Copies in order</source>
        <translation>Kopien sortiert</translation>
    </message>
    <message>
        <source>Collated (1 2 3, 1 2 3)</source>
        <translation>Sortiert (1 2 3, 1 2 3)</translation>
    </message>
    <message>
        <source>Uncollated (1 1, 2 2, 3 3)</source>
        <translation>Nicht sortiert (1 1, 2 2, 3 3)</translation>
    </message>
    <message>
        <source>Two-sided</source>
        <translation>Beidseitig</translation>
    </message>
    <message>
        <source>%1 takes true or false, not %2</source>
        <translation>%1 nimmt true oder false, nicht %2</translation>
    </message>
    <message>
        <source>no choice %1 for %2 (choices: one-sided, two-sided-long-edge, two-sided-short-edge)</source>
        <translation>keine Auswahl %1 für %2 (Auswahlen: one-sided, two-sided-long-edge, two-sided-short-edge)</translation>
    </message>
    <message>
        <source>Page Setup</source>
        <translation>Seite einrichten</translation>
    </message>
    <message>
        <source>waiting to print</source>
        <translation>wartet auf den Druck</translation>
    </message>
    <message>
        <source>printing</source>
        <translation>wird gedruckt</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>aborted by the system</source>
        <translation>vom System abgebrochen</translation>
    </message>
    <message>
        <source>printed</source>
        <translation>gedruckt</translation>
    </message>
    <message>
        <source>being stopped</source>
        <translation>wird angehalten</translation>
    </message>
    <message>
        <source>cancelled by its owner</source>
        <translation>von seinem Besitzer abgebrochen</translation>
    </message>
    <message>
        <source>cancelled by an administrator</source>
        <translation>von einem Administrator abgebrochen</translation>
    </message>
    <message>
        <source>cancelled at the printer</source>
        <translation>am Drucker abgebrochen</translation>
    </message>
    <message>
        <source>with warnings</source>
        <translation>mit Warnungen</translation>
    </message>
    <message>
        <source>with errors</source>
        <translation>mit Fehlern</translation>
    </message>
    <message>
        <source>until the time set for it</source>
        <translation>bis zur dafür gesetzten Zeit</translation>
    </message>
    <message>
        <source>for review</source>
        <translation>zur Prüfung</translation>
    </message>
    <message>
        <source>the printer is stopped</source>
        <translation>der Drucker ist angehalten</translation>
    </message>
    <message>
        <source>the printer is partly stopped</source>
        <translation>der Drucker ist teilweise angehalten</translation>
    </message>
    <message>
        <source>a document is not in a format it can print</source>
        <translation>ein Dokument hat ein Format, das er nicht drucken kann</translation>
    </message>
    <message>
        <source>a document cannot be printed</source>
        <translation>ein Dokument kann nicht gedruckt werden</translation>
    </message>
    <message>
        <source>a document could not be read</source>
        <translation>ein Dokument konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>the documents have not all arrived</source>
        <translation>noch nicht alle Dokumente sind angekommen</translation>
    </message>
    <message>
        <source>Job %1-%2: %3</source>
        <translation>Auftrag %1-%2: %3</translation>
    </message>
    <message>
        <source>cannot cancel job %1-%2: %3</source>
        <translation>Auftrag %1-%2 kann nicht abgebrochen werden: %3</translation>
    </message>
    <message>
        <source>Cancel Job</source>
        <translation>Auftrag abbrechen</translation>
    </message>
    <message>
        <source>This dialog's own settings for this printer: used the next time the dialog opens (%1)</source>
        <translation>Die eigenen Einstellungen dieses Dialogs für diesen Drucker: beim nächsten Öffnen des Dialogs verwendet (%1)</translation>
    </message>
    <message>
        <source>Your CUPS defaults for %1: used by every application that prints to it (lpoptions)</source>
        <translation>Ihre CUPS-Standardeinstellungen für %1: von jeder Anwendung verwendet, die darauf druckt (lpoptions)</translation>
    </message>
    <message>
        <source>Add documents with Add Files… or name them on the command line</source>
        <translation>Fügen Sie Dokumente mit „Dateien hinzufügen…“ hinzu oder nennen Sie sie auf der Befehlszeile</translation>
    </message>
    <message>
        <source>Queue:</source>
        <translation>Warteschlange:</translation>
    </message>
    <message>
        <source>none;</source>
        <translation>keine;</translation>
    </message>
    <message>
        <source>Printer ID:</source>
        <translation>Drucker-ID:</translation>
    </message>
    <message>
        <source>Device URI:</source>
        <translation>Geräte-URI:</translation>
    </message>
    <message>
        <source>Panel:</source>
        <translation>Bedienfeld:</translation>
    </message>
    <message>
        <source>Shown pane:</source>
        <translation>Angezeigter Bereich:</translation>
    </message>
    <message>
        <source>PPD options:</source>
        <translation>PPD-Optionen:</translation>
    </message>
    <message>
        <source>Controls:</source>
        <translation>Steuerelemente:</translation>
    </message>
    <message>
        <source>(greyed)</source>
        <translation>(ausgegraut)</translation>
    </message>
    <message>
        <source>Summary:</source>
        <translation>Zusammenfassung:</translation>
    </message>
    <message>
        <source>Print settings:</source>
        <translation>Druckeinstellungen:</translation>
    </message>
    <message>
        <source>Host page:</source>
        <translation>Allgemein:</translation>
    </message>
    <message>
        <source>(conflict)</source>
        <translation>(Konflikt)</translation>
    </message>
    <message>
        <source>no panel</source>
        <translation>kein Bedienfeld geladen</translation>
    </message>
    <message>
        <source>cannot load %1: %2</source>
        <translation>%1 kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>Paper size</source>
        <translation>Papierformat</translation>
    </message>
    <message>
        <source>Color mode</source>
        <translation>Farbmodus</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Long edge</source>
        <translation>Lange Kante</translation>
    </message>
    <message>
        <source>Short edge</source>
        <translation>Kurze Kante</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Graustufen</translation>
    </message>
    <message>
        <source>Draft</source>
        <translation>Entwurf</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
</context>
</TS>
