<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AdapterIdentity</name>
    <message>
        <source>USB serial number %1</source>
        <translation>USB-Seriennummer %1</translation>
    </message>
    <message>
        <source>vendor %1, product %2</source>
        <translation>Hersteller %1, Produkt %2</translation>
    </message>
    <message>
        <source>plugged in at USB %1</source>
        <translation>eingesteckt an USB %1</translation>
    </message>
    <message>
        <source>known by its device name %1</source>
        <translation>bekannt unter dem Gerätenamen %1</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>Port: %1</source>
        <translation>Schnittstelle: %1</translation>
    </message>
</context>
<context>
    <name>CardTransfers</name>
    <message>
        <source>Show the launcher</source>
        <translation>Startfenster zeigen</translation>
    </message>
    <message>
        <source>The card answered %1 of the %2 frames of this Send and may now hold a mix of old and new values. Send again once the card answers.</source>
        <translation>Die Karte hat %1 der %2 Rahmen dieses Sendens beantwortet und enthält jetzt womöglich eine Mischung aus alten und neuen Werten. Senden Sie erneut, sobald die Karte antwortet.</translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation>abgewiesen: %1</translation>
    </message>
    <message>
        <source>Send done: the card answered all %1 frames</source>
        <translation>Senden fertig: die Karte hat alle %1 Rahmen beantwortet</translation>
    </message>
    <message>
        <source>Send failed: %1</source>
        <translation>Senden fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lesen</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>Read: reply accepted</source>
        <translation>Lesen: Antwort angenommen</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &quot;vrn-cli --help&quot;.</source>
        <translation>Versuchen Sie &quot;vrn-cli --help&quot;.</translation>
    </message>
    <message>
        <source>The card model: vrn-a, vrn-b, vrn-c or vrn-d.</source>
        <translation>Das Kartenmodell: vrn-a, vrn-b, vrn-c oder vrn-d.</translation>
    </message>
    <message>
        <source>A serial port (/dev/ttyUSB0, COM3), or &quot;simulated&quot; for the card simulated inside the program. Repeat it for several ports.</source>
        <translation>Eine serielle Schnittstelle (/dev/ttyUSB0, COM3) oder &quot;simulated&quot; für die im Programm simulierte Karte. Für mehrere Schnittstellen mehrfach angeben.</translation>
    </message>
    <message>
        <source>Several ports at once, separated by commas.</source>
        <translation>Mehrere Schnittstellen auf einmal, durch Kommas getrennt.</translation>
    </message>
    <message>
        <source>read: the parameter file to save. With several ports it must contain {port}, which stands for the port&apos;s name (/dev/pts/3 gives pts-3).</source>
        <translation>read: die zu speichernde Parameterdatei. Bei mehreren Schnittstellen muss sie {port} enthalten, das für den Namen der Schnittstelle steht (/dev/pts/3 ergibt pts-3).</translation>
    </message>
    <message>
        <source>send: do not read the card back after the Send.</source>
        <translation>send: die Karte nach dem Senden nicht zurücklesen.</translation>
    </message>
    <message>
        <source>One JSON object per port and line, in English, instead of the text for people.</source>
        <translation>Ein JSON-Objekt je Schnittstelle und Zeile, auf Englisch, anstelle des Texts für Menschen.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Diese Hilfe anzeigen.</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Die Version anzeigen.</translation>
    </message>
    <message>
        <source>send, read or verify.</source>
        <translation>send, read oder verify.</translation>
    </message>
    <message>
        <source>The parameter file to send or to verify against.</source>
        <translation>Die Parameterdatei, die gesendet wird oder mit der die Karte geprüft wird.</translation>
    </message>
    <message>
        <source>Sends, reads and verifies the parameters of VRN coil-driver cards without the
windows, on one port or on many at once.

Commands:
  send FILE       load FILE as a card window&apos;s Open does, send it as its Send does,
                  then read the card back and compare (unless --no-verify)
  read --out FILE read the card as a window&apos;s Read does and save as its Save does
  verify FILE     read the card and compare it with FILE, changing nothing</source>
        <translation>Sendet, liest und prüft die Parameter von VRN-Spulentreiberkarten ohne die
Fenster, an einer Schnittstelle oder an vielen gleichzeitig.

Befehle:
  send DATEI       DATEI laden wie &quot;Open&quot; eines Kartenfensters, sie senden wie
                   dessen &quot;Send Parameters&quot;, dann die Karte zurücklesen und
                   vergleichen (außer mit --no-verify)
  read --out DATEI die Karte lesen wie &quot;Read Parameters&quot; eines Fensters und
                   speichern wie dessen &quot;Save&quot;
  verify DATEI     die Karte lesen und mit DATEI vergleichen, ohne etwas zu ändern</translation>
    </message>
    <message>
        <source>Say what to do: send, read or verify.</source>
        <translation>Geben Sie an, was zu tun ist: send, read oder verify.</translation>
    </message>
    <message>
        <source>Unknown command &quot;%1&quot;: the commands are send, read and verify.</source>
        <translation>Unbekannter Befehl &quot;%1&quot;: Die Befehle sind send, read und verify.</translation>
    </message>
    <message>
        <source>Name the card model with --card vrn-a, vrn-b, vrn-c or vrn-d.</source>
        <translation>Geben Sie das Kartenmodell mit --card vrn-a, vrn-b, vrn-c oder vrn-d an.</translation>
    </message>
    <message>
        <source>Unknown card model &quot;%1&quot;: use vrn-a, vrn-b, vrn-c or vrn-d.</source>
        <translation>Unbekanntes Kartenmodell &quot;%1&quot;: Verwenden Sie vrn-a, vrn-b, vrn-c oder vrn-d.</translation>
    </message>
    <message>
        <source>Name at least one port with --port or --ports.</source>
        <translation>Geben Sie mindestens eine Schnittstelle mit --port oder --ports an.</translation>
    </message>
    <message>
        <source>A port name is empty.</source>
        <translation>Ein Schnittstellenname ist leer.</translation>
    </message>
    <message>
        <source>The port %1 is named twice.</source>
        <translation>Die Schnittstelle %1 ist doppelt angegeben.</translation>
    </message>
    <message>
        <source>--no-verify belongs to send.</source>
        <translation>--no-verify gehört zu send.</translation>
    </message>
    <message>
        <source>read takes no file argument (&quot;%1&quot;): name the file to save with --out.</source>
        <translation>read nimmt kein Dateiargument (&quot;%1&quot;): Geben Sie die zu speichernde Datei mit --out an.</translation>
    </message>
    <message>
        <source>Name the file to save with --out.</source>
        <translation>Geben Sie die zu speichernde Datei mit --out an.</translation>
    </message>
    <message>
        <source>With several ports the file to save must contain {port}, for example --out card-{port}.par.</source>
        <translation>Bei mehreren Schnittstellen muss die zu speichernde Datei {port} enthalten, zum Beispiel --out card-{port}.par.</translation>
    </message>
    <message>
        <source>Two ports would save to the same file %1.</source>
        <translation>Zwei Schnittstellen würden in dieselbe Datei %1 speichern.</translation>
    </message>
    <message>
        <source>--out belongs to read.</source>
        <translation>--out gehört zu read.</translation>
    </message>
    <message>
        <source>Name the parameter file to %1.</source>
        <translation>Geben Sie die Parameterdatei für %1 an.</translation>
    </message>
    <message>
        <source>Unexpected argument &quot;%1&quot;.</source>
        <translation>Unerwartetes Argument &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Each port runs its own transfer, all at the same time; the frames, pauses and
files are those of the card windows.

Output: one line per port (with progress on a terminal), or with --json one JSON
object per port and line, in the order the ports were given: port, card,
command, file, outcome, error, note, seconds, values (name, unit, code and text,
the file&apos;s, and the card&apos;s as its reply gave them: null when the card was not
read) and differences. Outcomes: verified, differs, sent, saved, failed,
refused file, not saved, interrupted.

Ctrl+C (or SIGTERM) stops every port where no frame is half sent, and each port
tells how far it got; a second Ctrl+C ends the program at once.

Exit status: 0 every port did its command (sent and verified, read and saved,
or verified); 1 a port failed or its card differs; 2 bad usage, or a file that
could not be loaded or saved; 3 interrupted by Ctrl+C, each port told; 130
ended at once by a second Ctrl+C.

Examples:
  vrn-cli send --card vrn-b --port /dev/ttyUSB0 pump.par
  vrn-cli send --card vrn-a --ports /dev/ttyUSB0,/dev/ttyUSB1,/dev/ttyUSB2 line3.par
  vrn-cli verify --card vrn-c --port /dev/ttyUSB0 --json valve.par
  vrn-cli read --card vrn-d --port /dev/ttyUSB0 --out card.par
  vrn-cli read --card vrn-d --port /dev/ttyUSB0 --port /dev/ttyUSB1 --out card-{port}.par
  vrn-cli send --card vrn-b --port simulated pump.par
</source>
        <translation>Jede Schnittstelle führt ihre eigene Übertragung aus, alle gleichzeitig; Rahmen,
Pausen und Dateien sind die der Kartenfenster.

Ausgabe: eine Zeile je Schnittstelle (auf einem Terminal mit Fortschritt) oder
mit --json ein JSON-Objekt je Schnittstelle und Zeile, in der angegebenen
Reihenfolge der Schnittstellen: port, card, command, file, outcome, error, note,
seconds, values (name, unit, code und text, die der Datei und die der Karte, wie
ihre Antwort sie gab: null, wenn die Karte nicht gelesen wurde) und differences.
Ergebnisse: geprüft, weicht ab, gesendet, gespeichert, fehlgeschlagen, Datei
abgewiesen, nicht gespeichert, abgebrochen (in JSON: verified, differs, sent,
saved, failed, refused file, not saved, interrupted).

Strg+C (oder SIGTERM) hält jede Schnittstelle dort an, wo kein Rahmen halb
gesendet ist, und jede sagt, wie weit sie kam; ein zweites Strg+C beendet das
Programm sofort.

Rückgabewert: 0 jede Schnittstelle hat ihren Befehl ausgeführt (gesendet und
geprüft, gelesen und gespeichert oder geprüft); 1 eine Schnittstelle ist
fehlgeschlagen oder ihre Karte weicht ab; 2 falscher Aufruf oder eine Datei, die
nicht geladen oder gespeichert werden konnte; 3 mit Strg+C abgebrochen, jede
Schnittstelle berichtet; 130 mit einem zweiten Strg+C sofort beendet.

Beispiele:
  vrn-cli send --card vrn-b --port /dev/ttyUSB0 pump.par
  vrn-cli send --card vrn-a --ports /dev/ttyUSB0,/dev/ttyUSB1,/dev/ttyUSB2 line3.par
  vrn-cli verify --card vrn-c --port /dev/ttyUSB0 --json valve.par
  vrn-cli read --card vrn-d --port /dev/ttyUSB0 --out card.par
  vrn-cli read --card vrn-d --port /dev/ttyUSB0 --port /dev/ttyUSB1 --out card-{port}.par
  vrn-cli send --card vrn-b --port simulated pump.par
</translation>
    </message>
    <message>
        <source>model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>list</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>[file]</source>
        <translation>[Datei]</translation>
    </message>
    <message>
        <source>  ports           list the serial ports, each with the key of its adapter</source>
        <translation>  ports            die seriellen Schnittstellen auflisten, jede mit der Kennung
                   ihres Adapters</translation>
    </message>
    <message>
        <source>Adapters: --port and --ports also take a USB serial adapter by its key, whichever
name the system gives its port this time: usb:A10K3JX2 (its USB serial number),
usb:0403:6001 (its vendor and product id), usb:0403:6001@1-2 (those ids where it
is plugged in; usb:0403:6001@1-2:1.0 for one interface of a two-port adapter).
A key must fit exactly one port. The output names the key and the port it
chose (in JSON, adapter beside port); in --out, {port} stands for the key.
&quot;vrn-cli ports&quot; lists every port with its key; with --json as one JSON object
per port and line: device, description, manufacturer, serial_number, vendor_id,
product_id, usb_location, usb_interface, adapter.

  vrn-cli ports
  vrn-cli send --card vrn-b --ports usb:A10K3JX2,usb:0403:6001@1-2 pump.par
</source>
        <translation>Adapter: --port und --ports nehmen auch einen USB-Seriell-Adapter über seine
Kennung, welchen Gerätenamen das System seiner Schnittstelle diesmal auch gibt:
usb:A10K3JX2 (seine USB-Seriennummer), usb:0403:6001 (seine Hersteller- und
Produktkennung), usb:0403:6001@1-2 (diese Kennungen dort, wo er eingesteckt ist;
usb:0403:6001@1-2:1.0 für ein Interface eines Adapters mit zwei Schnittstellen).
Eine Kennung muss auf genau eine Schnittstelle passen. Die Ausgabe nennt die
Kennung und die gewählte Schnittstelle (in JSON adapter neben port); in --out
steht {port} für die Kennung. &quot;vrn-cli ports&quot; listet jede Schnittstelle mit
ihrer Kennung auf; mit --json als ein JSON-Objekt je Schnittstelle und Zeile:
device, description, manufacturer, serial_number, vendor_id, product_id,
usb_location, usb_interface, adapter.

  vrn-cli ports
  vrn-cli send --card vrn-b --ports usb:A10K3JX2,usb:0403:6001@1-2 pump.par
</translation>
    </message>
    <message>
        <source>ports takes no option but --json.</source>
        <translation>ports nimmt keine Option außer --json.</translation>
    </message>
    <message>
        <source>The port %1 is named twice: %2 is that port.</source>
        <translation>Die Schnittstelle %1 ist doppelt angegeben: %2 ist diese Schnittstelle.</translation>
    </message>
    <message>
        <source>The journal file to use instead of the program&apos;s own.</source>
        <translation>Die Journaldatei, die statt der des Programms verwendet wird.</translation>
    </message>
    <message>
        <source>journal show: the serial number of the card whose entries to list.</source>
        <translation>journal show: die Seriennummer der Karte, deren Einträge aufgelistet werden.</translation>
    </message>
    <message>
        <source>serial</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>journal takes no option but --journal, --serial and --json.</source>
        <translation>journal nimmt keine Option außer --journal, --serial und --json.</translation>
    </message>
    <message>
        <source>Say what to do with the journal: check or show.</source>
        <translation>Geben Sie an, was mit dem Journal geschehen soll: check oder show.</translation>
    </message>
    <message>
        <source>Unknown journal command &quot;%1&quot;: use check or show.</source>
        <translation>Unbekannter Journal-Befehl &quot;%1&quot;: Verwenden Sie check oder show.</translation>
    </message>
    <message>
        <source>--serial belongs to journal show.</source>
        <translation>--serial gehört zu journal show.</translation>
    </message>
    <message>
        <source>--json belongs to journal show.</source>
        <translation>--json gehört zu journal show.</translation>
    </message>
    <message>
        <source>Name the card with --serial: journal show lists one card&apos;s entries.</source>
        <translation>Nennen Sie die Karte mit --serial: journal show listet die Einträge einer Karte auf.</translation>
    </message>
    <message>
        <source>  journal check   check that no entry of the journal was changed, removed or
                  moved since it was written
  journal show --serial SERIAL
                  list the journal&apos;s entries of the card with that serial number</source>
        <translation>  journal check   prüfen, dass kein Eintrag des Journals geändert, entfernt oder
                  verschoben wurde, seit er geschrieben wurde
  journal show --serial SERIENNUMMER
                  die Einträge des Journals zur Karte mit dieser Seriennummer
                  auflisten</translation>
    </message>
    <message>
        <source>Journal: the journal is a file of JSON lines, one entry for every transfer to or
from a card, each line holding the SHA-256 of the one before and its own. It is
the file named with --journal, else the one $VRN_JOURNAL names, else
journal.jsonl in the program&apos;s data folder (~/.local/share/VRN-PC on Linux).
&quot;vrn-cli journal check&quot; checks every line and says how many entries are
intact, or names the first line that was changed, removed, moved or is no
entry; a last line cut off by a crash is told and does not count. Exit status:
0 intact, 1 a line is bad, 2 bad usage or no journal that can be read.
&quot;vrn-cli journal show --serial SERIAL&quot; lists that card&apos;s entries: time, what
was done, from where, port and adapter, card model, outcome and the values on
the card afterwards; with --json each entry as the journal holds it, one a line.

  vrn-cli journal check
  vrn-cli journal show --serial 12345 --journal /mnt/rig3/journal.jsonl
</source>
        <translation>Journal: Das Journal ist eine Datei aus JSON-Zeilen, ein Eintrag für jede Übertragung
zu einer Karte oder von ihr; jede Zeile enthält die SHA-256-Prüfsumme der Zeile
davor und ihre eigene. Es ist die mit --journal genannte Datei, sonst die, die
$VRN_JOURNAL nennt, sonst journal.jsonl im Datenordner des Programms
(~/.local/share/VRN-PC unter Linux).
&quot;vrn-cli journal check&quot; prüft jede Zeile und sagt, wie viele Einträge unversehrt
sind, oder nennt die erste Zeile, die geändert, entfernt oder verschoben wurde
oder kein Eintrag ist; eine letzte Zeile, die ein Absturz abgeschnitten hat, wird
genannt und zählt nicht. Exit-Status: 0 unversehrt, 1 eine Zeile ist fehlerhaft,
2 falscher Aufruf oder kein Journal, das sich lesen lässt.
&quot;vrn-cli journal show --serial SERIENNUMMER&quot; listet die Einträge dieser Karte auf:
Zeit, was getan wurde, von wo, Schnittstelle und Adapter, Kartenmodell, Ergebnis
und die Werte auf der Karte danach; mit --json jeden Eintrag so, wie das Journal
ihn enthält, einen je Zeile.

  vrn-cli journal check
  vrn-cli journal show --serial 12345 --journal /mnt/rig3/journal.jsonl
</translation>
    </message>
    <message>
        <source>Name the journal file after --journal.</source>
        <translation>Nennen Sie die Journaldatei nach --journal.</translation>
    </message>
</context>
<context>
    <name>CommissioningRecord</name>
    <message>
        <source>Commissioning record</source>
        <translation>Inbetriebnahmeprotokoll</translation>
    </message>
    <message>
        <source>Card model</source>
        <translation>Kartenmodell</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>not given</source>
        <translation>nicht angegeben</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Schnittstelle</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>(version unknown)</source>
        <translation>(Version unbekannt)</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>Werte</translation>
    </message>
    <message>
        <source>As this window sends them to the card.</source>
        <translation>So, wie dieses Fenster sie an die Karte sendet.</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Einstellung</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>nicht gesetzt</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Prüfung</translation>
    </message>
    <message>
        <source>not verified</source>
        <translation>nicht geprüft</translation>
    </message>
    <message>
        <source>Not on the card as last seen: %1</source>
        <translation>Nach letztem Stand nicht auf der Karte: %1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Bemerkung</translation>
    </message>
    <message>
        <source>Commissioned by:</source>
        <translation>In Betrieb genommen von:</translation>
    </message>
    <message>
        <source>Signature:</source>
        <translation>Unterschrift:</translation>
    </message>
    <message>
        <source>The record &quot;%1&quot; could not be saved: %2.</source>
        <translation>Das Protokoll &quot;%1&quot; konnte nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Commissioning record %1</source>
        <translation>Inbetriebnahmeprotokoll %1</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Bediener</translation>
    </message>
</context>
<context>
    <name>Controls</name>
    <message>
        <source>Opens the VRN-A card window</source>
        <translation>Öffnet das Fenster der Karte VRN-A</translation>
    </message>
    <message>
        <source>Opens the VRN-B card window</source>
        <translation>Öffnet das Fenster der Karte VRN-B</translation>
    </message>
    <message>
        <source>Opens the VRN-C card window</source>
        <translation>Öffnet das Fenster der Karte VRN-C</translation>
    </message>
    <message>
        <source>Opens the VRN-D card window</source>
        <translation>Öffnet das Fenster der Karte VRN-D</translation>
    </message>
    <message>
        <source>PWM (1) 100 Hz</source>
        <translation>PWM (1) 100 Hz</translation>
    </message>
    <message>
        <source>PWM (2) 200 Hz</source>
        <translation>PWM (2) 200 Hz</translation>
    </message>
    <message>
        <source>PWM (3) 300 Hz</source>
        <translation>PWM (3) 300 Hz</translation>
    </message>
    <message>
        <source>PWM (4) 400 Hz</source>
        <translation>PWM (4) 400 Hz</translation>
    </message>
    <message>
        <source>PWM (5) 500 Hz</source>
        <translation>PWM (5) 500 Hz</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>CURRENT COIL</source>
        <translation>CURRENT COIL</translation>
    </message>
    <message>
        <source>RAMPS</source>
        <translation>RAMPS</translation>
    </message>
    <message>
        <source>SETTING REFERENCE AND CONTROL CURRENT</source>
        <translation>SETTING REFERENCE AND CONTROL CURRENT</translation>
    </message>
    <message>
        <source>CURRENT COIL (1) 860 mA</source>
        <translation>CURRENT COIL (1) 860 mA</translation>
    </message>
    <message>
        <source>CURRENT COIL (2) 1200 mA</source>
        <translation>CURRENT COIL (2) 1200 mA</translation>
    </message>
    <message>
        <source>CURRENT COIL (3) 1600 mA</source>
        <translation>CURRENT COIL (3) 1600 mA</translation>
    </message>
    <message>
        <source>CURRENT COIL (4) 1880 mA</source>
        <translation>CURRENT COIL (4) 1880 mA</translation>
    </message>
    <message>
        <source>CURRENT COIL (5) 2600 mA</source>
        <translation>CURRENT COIL (5) 2600 mA</translation>
    </message>
    <message>
        <source>Ramp Up (sec)</source>
        <translation>Ramp Up (sec)</translation>
    </message>
    <message>
        <source>Ramp Up (sec) up/down</source>
        <translation>Ramp Up (sec) auf/ab</translation>
    </message>
    <message>
        <source>Ramp Down (sec)</source>
        <translation>Ramp Down (sec)</translation>
    </message>
    <message>
        <source>Ramp Down (sec) up/down</source>
        <translation>Ramp Down (sec) auf/ab</translation>
    </message>
    <message>
        <source>RAMPS Enable Ramps</source>
        <translation>RAMPS Rampen einschalten</translation>
    </message>
    <message>
        <source>Riferimento IN (E0) 0 - 10V</source>
        <translation>Riferimento IN (E0) 0 - 10V</translation>
    </message>
    <message>
        <source>Riferimento IN (E2) 0 - 5V</source>
        <translation>Riferimento IN (E2) 0 - 5V</translation>
    </message>
    <message>
        <source>Riferimento IN (E1) 4-20mA</source>
        <translation>Riferimento IN (E1) 4-20mA</translation>
    </message>
    <message>
        <source>Vt (mV)</source>
        <translation>Vt (mV)</translation>
    </message>
    <message>
        <source>Vt (mV) up/down</source>
        <translation>Vt (mV) auf/ab</translation>
    </message>
    <message>
        <source>I Min (mA)</source>
        <translation>I Min (mA)</translation>
    </message>
    <message>
        <source>I Min (mA) up/down</source>
        <translation>I Min (mA) auf/ab</translation>
    </message>
    <message>
        <source>I Pol (mA)</source>
        <translation>I Pol (mA)</translation>
    </message>
    <message>
        <source>I Pol (mA) up/down</source>
        <translation>I Pol (mA) auf/ab</translation>
    </message>
    <message>
        <source>I Max (mA)</source>
        <translation>I Max (mA)</translation>
    </message>
    <message>
        <source>I Max (mA) up/down</source>
        <translation>I Max (mA) auf/ab</translation>
    </message>
    <message>
        <source>CORRENTE MASSIMA REGOLATA (mA)</source>
        <translation>CORRENTE MASSIMA REGOLATA (mA)</translation>
    </message>
    <message>
        <source>CORRENTE MASSIMA REGOLATA (mA) up/down</source>
        <translation>CORRENTE MASSIMA REGOLATA (mA) auf/ab</translation>
    </message>
    <message>
        <source>CORRENTE MASSIMA REGOLATA</source>
        <translation>CORRENTE MASSIMA REGOLATA</translation>
    </message>
    <message>
        <source>TEMPO SOVRALIMENTAZIONE (msec)</source>
        <translation>TEMPO SOVRALIMENTAZIONE (msec)</translation>
    </message>
    <message>
        <source>TEMPO SOVRALIMENTAZIONE (msec) up/down</source>
        <translation>TEMPO SOVRALIMENTAZIONE (msec) auf/ab</translation>
    </message>
    <message>
        <source>TEMPO SOVRALIMENTAZIONE</source>
        <translation>TEMPO SOVRALIMENTAZIONE</translation>
    </message>
    <message>
        <source>TEMPO ECCITAZIONE (sec)</source>
        <translation>TEMPO ECCITAZIONE (sec)</translation>
    </message>
    <message>
        <source>TEMPO ECCITAZIONE (sec) up/down</source>
        <translation>TEMPO ECCITAZIONE (sec) auf/ab</translation>
    </message>
    <message>
        <source>TEMPO ECCITAZIONE</source>
        <translation>TEMPO ECCITAZIONE</translation>
    </message>
    <message>
        <source>CORRENTE MINIMA (mA)</source>
        <translation>CORRENTE MINIMA (mA)</translation>
    </message>
    <message>
        <source>CORRENTE MINIMA (mA) up/down</source>
        <translation>CORRENTE MINIMA (mA) auf/ab</translation>
    </message>
    <message>
        <source>CORRENTE MINIMA</source>
        <translation>CORRENTE MINIMA</translation>
    </message>
    <message>
        <source>CORRENTE MASSIMA (mA)</source>
        <translation>CORRENTE MASSIMA (mA)</translation>
    </message>
    <message>
        <source>CORRENTE MASSIMA (mA) up/down</source>
        <translation>CORRENTE MASSIMA (mA) auf/ab</translation>
    </message>
    <message>
        <source>CORRENTE MASSIMA</source>
        <translation>CORRENTE MASSIMA</translation>
    </message>
    <message>
        <source>VRN-PC</source>
        <translation>VRN-PC</translation>
    </message>
    <message>
        <source>Banner: coil driver cards VRN-A, VRN-B, VRN-C, VRN-D</source>
        <translation>Banner: Spulentreiberkarten VRN-A, VRN-B, VRN-C, VRN-D</translation>
    </message>
    <message>
        <source>coil driver cards</source>
        <translation>Spulentreiberkarten</translation>
    </message>
</context>
<context>
    <name>FileOrigins</name>
    <message>
        <source>it was saved from the %1 window</source>
        <translation>sie wurde im Fenster %1 gespeichert</translation>
    </message>
    <message>
        <source>it holds %1 values, as a %2 parameter file does; a %3 file holds %4</source>
        <translation>sie enthält %1 Werte wie eine Parameterdatei der %2; eine Datei der %3 enthält %4</translation>
    </message>
    <message>
        <source>A parameter file does not say which card it is for. VRN-PC knows the files saved on this computer by their values, wherever they are now, and tells a file of another model by the number of its values where the models differ (VRN-A 10, VRN-C 4, VRN-B and VRN-D 3). A VRN-B and a VRN-D file made elsewhere cannot be told apart.</source>
        <translation>Eine Parameterdatei sagt nicht, für welche Karte sie ist. VRN-PC erkennt die auf diesem Computer gespeicherten Dateien an ihren Werten, wo immer sie jetzt liegen, und eine Datei eines anderen Modells an der Zahl ihrer Werte, wo die Modelle voneinander abweichen (VRN-A 10, VRN-C 4, VRN-B und VRN-D 3). Anderswo erstellte Dateien der VRN-B und der VRN-D lassen sich nicht unterscheiden.</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>The journal %1 could not be written: %2</source>
        <translation>Das Journal %1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>its folder %1 cannot be made</source>
        <translation>sein Ordner %1 lässt sich nicht anlegen</translation>
    </message>
    <message>
        <source>%1: there is no journal file</source>
        <translation>%1: Es gibt keine Journaldatei</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>1 entry</source>
        <translation>1 Eintrag</translation>
    </message>
    <message>
        <source>%1 entries</source>
        <translation>%1 Einträge</translation>
    </message>
    <message>
        <source>%1: %2, intact</source>
        <translation>%1: %2, unversehrt</translation>
    </message>
    <message>
        <source>; the last line was cut off while it was written, probably by a crash or power loss: the entries before it are intact</source>
        <translation>; die letzte Zeile wurde beim Schreiben abgeschnitten, wahrscheinlich durch einen Absturz oder Stromausfall: Die Einträge davor sind unversehrt</translation>
    </message>
    <message>
        <source>%1: line %2 does not follow line %3: one of them was changed after it was written</source>
        <translation>%1: Zeile %2 folgt nicht auf Zeile %3: Eine der beiden wurde nach dem Schreiben geändert</translation>
    </message>
    <message>
        <source>%1: line %2 was changed after it was written</source>
        <translation>%1: Zeile %2 wurde nach dem Schreiben geändert</translation>
    </message>
    <message>
        <source>%1: a line before line %2 was removed</source>
        <translation>%1: Eine Zeile vor Zeile %2 wurde entfernt</translation>
    </message>
    <message>
        <source>%1: an entry before line %2 was removed</source>
        <translation>%1: Ein Eintrag vor Zeile %2 wurde entfernt</translation>
    </message>
    <message>
        <source>%1: line %2 is out of order</source>
        <translation>%1: Zeile %2 steht außer der Reihe</translation>
    </message>
    <message>
        <source>%1: line %2 is not a journal entry</source>
        <translation>%1: Zeile %2 ist kein Journaleintrag</translation>
    </message>
    <message>
        <source>; the entry before it checks clean</source>
        <translation>; der Eintrag davor ist einwandfrei</translation>
    </message>
    <message>
        <source>; the %1 entries before it check clean</source>
        <translation>; die %1 Einträge davor sind einwandfrei</translation>
    </message>
    <message>
        <source>; line %1 was cut off by a crash, as the entry after it tells</source>
        <translation>; Zeile %1 wurde durch einen Absturz abgeschnitten, wie der Eintrag danach festhält</translation>
    </message>
    <message>
        <source>; %1 lines were cut off by crashes (the first is line %2), as the entries after them tell</source>
        <translation>; %1 Zeilen wurden durch Abstürze abgeschnitten (die erste ist Zeile %2), wie die Einträge danach festhalten</translation>
    </message>
</context>
<context>
    <name>JournalCommand</name>
    <message>
        <source>%1 not known</source>
        <translation>%1 nicht bekannt</translation>
    </message>
    <message>
        <source>code %1</source>
        <translation>Code %1</translation>
    </message>
    <message>
        <source>%1 holds no entry of the card %2.</source>
        <translation>%1 enthält keinen Eintrag der Karte %2.</translation>
    </message>
    <message>
        <source>%1 holds 1 entry of the card %2:</source>
        <translation>%1 enthält 1 Eintrag der Karte %2:</translation>
    </message>
    <message>
        <source>%1 holds %2 entries of the card %3:</source>
        <translation>%1 enthält %2 Einträge der Karte %3:</translation>
    </message>
    <message>
        <source>values afterwards not known</source>
        <translation>Werte danach nicht bekannt</translation>
    </message>
    <message>
        <source>afterwards: %1</source>
        <translation>danach: %1</translation>
    </message>
</context>
<context>
    <name>Launcher</name>
    <message>
        <source>Simulated card</source>
        <translation>Simulierte Karte</translation>
    </message>
    <message>
        <source>Other port...</source>
        <translation>Andere Schnittstelle...</translation>
    </message>
    <message>
        <source>No serial port found</source>
        <translation>Keine serielle Schnittstelle gefunden</translation>
    </message>
    <message>
        <source>Other port</source>
        <translation>Andere Schnittstelle</translation>
    </message>
    <message>
        <source>Device name of the serial port (for example COM7):</source>
        <translation>Gerätename der seriellen Schnittstelle (zum Beispiel COM7):</translation>
    </message>
    <message>
        <source>Device name of the serial port (for example /dev/ttyUSB1 or /dev/pts/3):</source>
        <translation>Gerätename der seriellen Schnittstelle (zum Beispiel /dev/ttyUSB1 oder /dev/pts/3):</translation>
    </message>
    <message>
        <source>Wait for a new port...</source>
        <translation>Auf neue Schnittstelle warten...</translation>
    </message>
    <message>
        <source>Compare...</source>
        <translation>Vergleichen...</translation>
    </message>
    <message>
        <source>Compare a parameter file with the card on the port or with another file</source>
        <translation>Eine Parameterdatei mit der Karte an der Schnittstelle oder mit einer anderen Datei vergleichen</translation>
    </message>
    <message>
        <source>Commissioning station...</source>
        <translation>Inbetriebnahmestation...</translation>
    </message>
    <message>
        <source>Commission cards one after another: each is read and saved, sent the recipe and verified (%1)</source>
        <translation>Karten nacheinander in Betrieb nehmen: jede wird gelesen und gesichert, bekommt das Rezept gesendet und wird geprüft (%1)</translation>
    </message>
</context>
<context>
    <name>LinkMessages</name>
    <message>
        <source>The serial port %1 does not exist. Check that the card&apos;s cable or USB adapter is plugged in, and choose the port it is on.</source>
        <translation>Die serielle Schnittstelle %1 gibt es nicht. Prüfen Sie, ob das Kabel oder der USB-Adapter der Karte eingesteckt ist, und wählen Sie die Schnittstelle, an der sie hängt.</translation>
    </message>
    <message>
        <source>The serial port %1 is in use by another program. Close the other program that uses it (a terminal program, or another copy of this one), then choose the port again.</source>
        <translation>Die serielle Schnittstelle %1 wird von einem anderen Programm benutzt. Schließen Sie das andere Programm (ein Terminalprogramm oder eine weitere Kopie dieses Programms) und wählen Sie die Schnittstelle dann erneut.</translation>
    </message>
    <message>
        <source>You may not use the serial port %1 yet: your user was added to the group &quot;%2&quot; after you logged in. Log out and log in again (or restart the computer), then choose the port again.</source>
        <translation>Sie dürfen die serielle Schnittstelle %1 noch nicht benutzen: Ihr Benutzer wurde nach der Anmeldung zur Gruppe &quot;%2&quot; hinzugefügt. Melden Sie sich ab und wieder an (oder starten Sie den Computer neu) und wählen Sie die Schnittstelle dann erneut.</translation>
    </message>
    <message>
        <source>You may not use the serial port %1: its permissions do not let your user read and write it. Ask the administrator for access; serial ports usually belong to the group &quot;dialout&quot; (sudo usermod -aG dialout $USER, then log out and log in again).</source>
        <translation>Sie dürfen die serielle Schnittstelle %1 nicht benutzen: Ihre Rechte erlauben Ihrem Benutzer weder Lesen noch Schreiben. Bitten Sie den Administrator um Zugang; serielle Schnittstellen gehören meist zur Gruppe &quot;dialout&quot; (sudo usermod -aG dialout $USER, danach ab- und wieder anmelden).</translation>
    </message>
    <message>
        <source>You may not use the serial port %1: it belongs to the group &quot;%2&quot; and your user is not a member. Add your user to that group (sudo usermod -aG %2 $USER), log out and log in again (or restart the computer), then choose the port again.</source>
        <translation>Sie dürfen die serielle Schnittstelle %1 nicht benutzen: Sie gehört zur Gruppe &quot;%2&quot;, und Ihr Benutzer ist kein Mitglied. Fügen Sie Ihren Benutzer dieser Gruppe hinzu (sudo usermod -aG %2 $USER), melden Sie sich ab und wieder an (oder starten Sie den Computer neu) und wählen Sie die Schnittstelle dann erneut.</translation>
    </message>
    <message>
        <source>The serial port %1 is already open.</source>
        <translation>Die serielle Schnittstelle %1 ist bereits geöffnet.</translation>
    </message>
    <message>
        <source>The serial port %1 stopped working: the device was unplugged or its line was closed. Check that the cable or USB adapter is still plugged in, then choose the port again.</source>
        <translation>Die serielle Schnittstelle %1 arbeitet nicht mehr: Das Gerät wurde abgezogen oder seine Leitung geschlossen. Prüfen Sie, ob Kabel oder USB-Adapter noch stecken, und wählen Sie die Schnittstelle dann erneut.</translation>
    </message>
    <message>
        <source>The device %1 is not a serial port that can run at %2 baud, 8 data bits, no parity, 1 stop bit (%3).</source>
        <translation>Das Gerät %1 ist keine serielle Schnittstelle, die mit %2 Baud, 8 Datenbits, ohne Parität und 1 Stoppbit laufen kann (%3).</translation>
    </message>
    <message>
        <source>The serial port %1 failed: %2. Check the cable and the card, then choose the port again.</source>
        <translation>Die serielle Schnittstelle %1 ist ausgefallen: %2. Prüfen Sie Kabel und Karte und wählen Sie die Schnittstelle dann erneut.</translation>
    </message>
    <message>
        <source>A transfer is running on %1. Wait until its button turns grey again, then choose the port.</source>
        <translation>Auf %1 läuft eine Übertragung. Warten Sie, bis ihre Schaltfläche wieder grau ist, und wählen Sie dann die Schnittstelle.</translation>
    </message>
    <message>
        <source>No serial port is open. Choose the card&apos;s port in the &quot;Seriale&quot; menu of the launcher window (or &quot;Simulated card&quot; to try the program without a card).</source>
        <translation>Keine serielle Schnittstelle ist geöffnet. Wählen Sie die Schnittstelle der Karte im Menü &quot;Seriale&quot; des Startfensters (oder &quot;Simulierte Karte&quot;, um das Programm ohne Karte auszuprobieren).</translation>
    </message>
    <message>
        <source>A transfer is already running on %1. Wait until its button turns grey again, then try once more.</source>
        <translation>Auf %1 läuft bereits eine Übertragung. Warten Sie, bis ihre Schaltfläche wieder grau ist, und versuchen Sie es dann noch einmal.</translation>
    </message>
    <message>
        <source>The port %1 was closed while a transfer was running.</source>
        <translation>Die Schnittstelle %1 wurde während einer Übertragung geschlossen.</translation>
    </message>
    <message>
        <source>The frame &quot;%1&quot; could not be sent on %2 within %3 s. Check that the port is working, then try again.</source>
        <translation>Der Rahmen &quot;%1&quot; konnte auf %2 nicht innerhalb von %3 s gesendet werden. Prüfen Sie, ob die Schnittstelle arbeitet, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The card on %1 did not answer the frame &quot;%2&quot; within %3 s. Check that the card is powered, that its cable is plugged in, and that %1 is the port it is connected to.</source>
        <translation>Die Karte an %1 hat den Rahmen &quot;%2&quot; nicht innerhalb von %3 s beantwortet. Prüfen Sie, ob die Karte Strom hat, ob ihr Kabel steckt und ob %1 die Schnittstelle ist, an der sie hängt.</translation>
    </message>
    <message>
        <source>The card on %1 did not answer the read request within %2 s. Check that the card is powered, that its cable is plugged in, and that %1 is the port it is connected to.</source>
        <translation>Die Karte an %1 hat die Leseanfrage nicht innerhalb von %2 s beantwortet. Prüfen Sie, ob die Karte Strom hat, ob ihr Kabel steckt und ob %1 die Schnittstelle ist, an der sie hängt.</translation>
    </message>
    <message>
        <source>The card on %1 sent only %2 of the %3 characters of its read reply. Nothing was changed; check the cable and try the read again.</source>
        <translation>Die Karte an %1 hat nur %2 der %3 Zeichen ihrer Leseantwort gesendet. Nichts wurde geändert; prüfen Sie das Kabel und lesen Sie erneut.</translation>
    </message>
    <message>
        <source>The serial port %1 does not exist. Check that the card&apos;s cable or USB adapter is plugged in, and choose the port it is on (the Device Manager lists the COM ports under &quot;Ports (COM &amp; LPT)&quot;).</source>
        <translation>Die serielle Schnittstelle %1 gibt es nicht. Prüfen Sie, ob das Kabel oder der USB-Adapter der Karte eingesteckt ist, und wählen Sie die Schnittstelle, an der sie hängt (der Geräte-Manager listet die COM-Schnittstellen unter &quot;Anschlüsse (COM &amp; LPT)&quot;).</translation>
    </message>
    <message>
        <source>No port open</source>
        <translation>Keine Schnittstelle geöffnet</translation>
    </message>
    <message>
        <source>Simulated card</source>
        <translation>Simulierte Karte</translation>
    </message>
    <message>
        <source>%1 open</source>
        <translation>%1 geöffnet</translation>
    </message>
    <message>
        <source>%1 - %2 open</source>
        <translation>%1 - %2 geöffnet</translation>
    </message>
    <message>
        <source>no port open</source>
        <translation>keine Schnittstelle geöffnet</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>The serial port %1 does not exist. Check that the card&apos;s cable or USB adapter is plugged in, and name the port it is on.</source>
        <translation>Die serielle Schnittstelle %1 gibt es nicht. Prüfen Sie, ob das Kabel oder der USB-Adapter der Karte steckt, und geben Sie die Schnittstelle an, an der sie hängt.</translation>
    </message>
    <message>
        <source>The serial port %1 is in use by another program. Close the other program that uses it (a terminal program, VRN-PC or another vrn-cli), then run the command again.</source>
        <translation>Die serielle Schnittstelle %1 wird von einem anderen Programm benutzt. Schließen Sie das andere Programm (ein Terminalprogramm, VRN-PC oder ein weiteres vrn-cli) und führen Sie den Befehl dann erneut aus.</translation>
    </message>
    <message>
        <source>You may not use the serial port %1: %2. Serial ports usually belong to the group &quot;dialout&quot; (sudo usermod -aG dialout $USER, then log out and log in again); then run the command again.</source>
        <translation>Sie dürfen die serielle Schnittstelle %1 nicht benutzen: %2. Serielle Schnittstellen gehören meist der Gruppe &quot;dialout&quot; (sudo usermod -aG dialout $USER, dann ab- und wieder anmelden); führen Sie den Befehl dann erneut aus.</translation>
    </message>
    <message>
        <source>your user was added to the group &quot;%1&quot; after you logged in</source>
        <translation>Ihr Benutzer wurde nach der Anmeldung in die Gruppe &quot;%1&quot; aufgenommen</translation>
    </message>
    <message>
        <source>its permissions do not let your user read and write it</source>
        <translation>ihre Rechte erlauben Ihrem Benutzer nicht, sie zu lesen und zu schreiben</translation>
    </message>
    <message>
        <source>The serial port %1 stopped working: the device was unplugged or its line was closed. Check that the cable or USB adapter is still plugged in, then run the command again.</source>
        <translation>Die serielle Schnittstelle %1 arbeitet nicht mehr: Das Gerät wurde abgezogen oder seine Leitung geschlossen. Prüfen Sie, ob Kabel oder USB-Adapter noch stecken, und führen Sie den Befehl dann erneut aus.</translation>
    </message>
    <message>
        <source>The serial port %1 failed: %2. Check the cable and the card, then run the command again.</source>
        <translation>Die serielle Schnittstelle %1 ist ausgefallen: %2. Prüfen Sie Kabel und Karte und führen Sie den Befehl dann erneut aus.</translation>
    </message>
    <message>
        <source>The transfer on %1 was interrupted.</source>
        <translation>Die Übertragung auf %1 wurde abgebrochen.</translation>
    </message>
    <message>
        <source>The serial port %1 went away %2 s after it appeared. The braille display daemon brltty, which is installed on this computer, takes some USB serial adapters (CH340, CP210x) for a braille display and claims them this way. If no braille display is used here, remove it (sudo apt remove brltty), then plug the adapter in again.</source>
        <translation>Die serielle Schnittstelle %1 ist %2 s nach ihrem Erscheinen wieder verschwunden. Der Braillezeilen-Dienst brltty, der auf diesem Computer installiert ist, hält manche USB-Seriell-Adapter (CH340, CP210x) für eine Braillezeile und belegt sie auf diese Weise. Wenn hier keine Braillezeile benutzt wird, entfernen Sie ihn (sudo apt remove brltty) und stecken Sie den Adapter erneut ein.</translation>
    </message>
    <message>
        <source>%1 unplugged: waiting for it</source>
        <translation>%1 ausgesteckt: warte darauf</translation>
    </message>
    <message>
        <source>%1 stopped working: waiting for it to open again</source>
        <translation>%1 arbeitet nicht mehr: warte, bis er sich wieder öffnen lässt</translation>
    </message>
    <message>
        <source>%1 unplugged: waiting for it (more than one adapter like it is plugged in: choose its port in the &quot;Seriale&quot; menu)</source>
        <translation>%1 ausgesteckt: warte darauf (mehr als ein gleicher Adapter ist eingesteckt: wählen Sie seine Schnittstelle im Menü &quot;Seriale&quot;)</translation>
    </message>
    <message>
        <source>%1 reopened as %2</source>
        <translation>%1 wieder geöffnet als %2</translation>
    </message>
    <message>
        <source>Adapter: %1</source>
        <translation>Adapter: %1</translation>
    </message>
    <message>
        <source>%1 (%2, %3)</source>
        <translation>%1 (%2, %3)</translation>
    </message>
    <message>
        <source>No serial port is open: %1 was unplugged. The program opens it again by itself when it is back (the status line says so); then try once more.</source>
        <translation>Keine serielle Schnittstelle ist offen: %1 wurde ausgesteckt. Das Programm öffnet ihn von selbst wieder, sobald er zurück ist (die Statuszeile sagt es); versuchen Sie es dann noch einmal.</translation>
    </message>
</context>
<context>
    <name>ParameterFile</name>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>sie existiert nicht</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>sie ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>it is a device, a pipe or a socket, not a file</source>
        <translation>sie ist ein Gerät, eine Pipe oder ein Socket, keine Datei</translation>
    </message>
    <message>
        <source>it is larger than %1 bytes, far more than a parameter file</source>
        <translation>sie ist größer als %1 Byte, weit mehr als eine Parameterdatei</translation>
    </message>
    <message>
        <source>it holds %1 of the %2 values of this window&apos;s parameter file</source>
        <translation>sie enthält %1 der %2 Werte der Parameterdatei dieses Fensters</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be saved: %2. Any earlier file of that name is unchanged.</source>
        <translation>Die Datei &quot;%1&quot; konnte nicht gespeichert werden: %2. Eine frühere Datei dieses Namens ist unverändert.</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>sie ist ein Ordner</translation>
    </message>
    <message>
        <source>line %1 (%2) holds %3, which is not a number</source>
        <translation>Zeile %1 (%2) enthält %3, das ist keine Zahl</translation>
    </message>
    <message>
        <source>line %1 (%2) is %3, outside 0 to %4</source>
        <translation>Zeile %1 (%2) ist %3, außerhalb von 0 bis %4</translation>
    </message>
    <message>
        <source>line %1 (%2) holds %3 characters, more than the %4 of a value box</source>
        <translation>Zeile %1 (%2) enthält %3 Zeichen, mehr als die %4 eines Wertfelds</translation>
    </message>
    <message>
        <source>line %1 (%2) is %3, not a whole number from 0 to %4</source>
        <translation>Zeile %1 (%2) ist %3, keine ganze Zahl von 0 bis %4</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was not loaded: %2. Nothing was changed.</source>
        <translation>Die Datei &quot;%1&quot; wurde nicht geladen: %2. Nichts wurde geändert.</translation>
    </message>
    <message>
        <source>line %1 (%2) held %3: %4 was set</source>
        <translation>Zeile %1 (%2) enthielt %3: %4 wurde gesetzt</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was not loaded: %2. Nothing was sent to any card.</source>
        <translation>Die Datei &quot;%1&quot; wurde nicht geladen: %2. An keine Karte wurde etwas gesendet.</translation>
    </message>
</context>
<context>
    <name>PortChoice</name>
    <message>
        <source>No adapter %1 is plugged in; `vrn-cli ports` lists the adapters there are.</source>
        <translation>Kein Adapter %1 ist eingesteckt; `vrn-cli ports` listet die vorhandenen Adapter auf.</translation>
    </message>
    <message>
        <source>%1 fits several ports: %2. Name one by its USB location or serial number as `vrn-cli ports` lists them, or by its device name.</source>
        <translation>%1 passt auf mehrere Schnittstellen: %2. Geben Sie eine über ihren USB-Steckplatz oder ihre Seriennummer an, wie `vrn-cli ports` sie auflistet, oder über ihren Gerätenamen.</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>The system lists no serial port.</source>
        <translation>Das System führt keine serielle Schnittstelle auf.</translation>
    </message>
</context>
<context>
    <name>PortReport</name>
    <message>
        <source>verified</source>
        <translation>geprüft</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>weicht ab</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>gesendet</translation>
    </message>
    <message>
        <source>saved</source>
        <translation>gespeichert</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>refused file</source>
        <translation>Datei abgewiesen</translation>
    </message>
    <message>
        <source>not saved</source>
        <translation>nicht gespeichert</translation>
    </message>
    <message>
        <source>the card holds the file&apos;s 1 value</source>
        <translation>die Karte enthält den einen Wert der Datei</translation>
    </message>
    <message>
        <source>the card holds the file&apos;s %1 values</source>
        <translation>die Karte enthält die %1 Werte der Datei</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>nicht gesetzt</translation>
    </message>
    <message>
        <source>not in the reply</source>
        <translation>nicht in der Antwort</translation>
    </message>
    <message>
        <source>%1: file %2, card %3</source>
        <translation>%1: Datei %2, Karte %3</translation>
    </message>
    <message>
        <source>1 value differs: %1</source>
        <translation>1 Wert weicht ab: %1</translation>
    </message>
    <message>
        <source>%1 values differ: %2</source>
        <translation>%1 Werte weichen ab: %2</translation>
    </message>
    <message>
        <source>not read back</source>
        <translation>nicht zurückgelesen</translation>
    </message>
    <message>
        <source>to %1</source>
        <translation>in %1</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 ports: %2</source>
        <translation>%1 Schnittstellen: %2</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>abgebrochen</translation>
    </message>
</context>
<context>
    <name>ReplyCheck</name>
    <message>
        <source>the %1 (characters %2 to %3) reads &quot;%4&quot;, which is not a number</source>
        <translation>%1 (Zeichen %2 bis %3) lautet &quot;%4&quot;, das ist keine Zahl</translation>
    </message>
    <message>
        <source>the %1 reads %2, above its largest value %3</source>
        <translation>%1 lautet %2, mehr als der größte Wert %3</translation>
    </message>
    <message>
        <source>Check that the card is of the model given with --card.</source>
        <translation>Prüfen Sie, ob die Karte das mit --card angegebene Modell ist.</translation>
    </message>
    <message>
        <source>Check that the card is of this window&apos;s model.</source>
        <translation>Prüfen Sie, ob die Karte das Modell dieses Fensters ist.</translation>
    </message>
    <message>
        <source>Check the cable and read again.</source>
        <translation>Prüfen Sie das Kabel und lesen Sie erneut.</translation>
    </message>
    <message>
        <source>The card&apos;s reply was refused and nothing was changed: %1. %2</source>
        <translation>Die Antwort der Karte wurde abgewiesen und nichts wurde geändert: %1. %2</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>Link</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Last transfer</source>
        <translation>Letzte Übertragung</translation>
    </message>
    <message>
        <source>Card</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Status line</source>
        <translation>Statuszeile</translation>
    </message>
</context>
<context>
    <name>TrafficLog</name>
    <message>
        <source>end of Send</source>
        <translation>Ende des Sendens</translation>
    </message>
    <message>
        <source>not a command frame</source>
        <translation>kein Befehlsrahmen</translation>
    </message>
    <message>
        <source>%1: empty slot</source>
        <translation>%1: leeres Feld</translation>
    </message>
    <message>
        <source>%1: not a number</source>
        <translation>%1: keine Zahl</translation>
    </message>
    <message>
        <source>%1 code %2</source>
        <translation>%1 Code %2</translation>
    </message>
    <message>
        <source>%1: no number</source>
        <translation>%1: keine Zahl</translation>
    </message>
    <message>
        <source>read reply: %1</source>
        <translation>Leseantwort: %1</translation>
    </message>
    <message>
        <source>read request</source>
        <translation>Leseanfrage</translation>
    </message>
    <message>
        <source>answer</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>read and dropped: late or unasked</source>
        <translation>gelesen und verworfen: verspätet oder unangefordert</translation>
    </message>
    <message>
        <source>→ card</source>
        <translation>→ Karte</translation>
    </message>
    <message>
        <source>← card</source>
        <translation>← Karte</translation>
    </message>
    <message>
        <source>incomplete read reply, %1 of %2 characters: dropped</source>
        <translation>unvollständige Leseantwort, %1 von %2 Zeichen: verworfen</translation>
    </message>
    <message>
        <source>* note</source>
        <translation>* Info</translation>
    </message>
</context>
<context>
    <name>Values</name>
    <message>
        <source>PWM frequency</source>
        <translation>PWM-Frequenz</translation>
    </message>
    <message>
        <source>%1 slider position</source>
        <translation>Schieberposition %1</translation>
    </message>
    <message>
        <source>maximum current</source>
        <translation>Maximalstrom</translation>
    </message>
    <message>
        <source>minimum current</source>
        <translation>Minimalstrom</translation>
    </message>
    <message>
        <source>excitation time</source>
        <translation>Erregungszeit</translation>
    </message>
    <message>
        <source>over-supply time</source>
        <translation>Übererregungszeit</translation>
    </message>
    <message>
        <source>coil current range</source>
        <translation>Spulenstrombereich</translation>
    </message>
    <message>
        <source>ramp-up time</source>
        <translation>Anstiegsrampe</translation>
    </message>
    <message>
        <source>ramp-down time</source>
        <translation>Abfallrampe</translation>
    </message>
    <message>
        <source>Vt level</source>
        <translation>Vt-Pegel</translation>
    </message>
    <message>
        <source>I Pol current</source>
        <translation>Strom I Pol</translation>
    </message>
    <message>
        <source>I Min current</source>
        <translation>Strom I Min</translation>
    </message>
    <message>
        <source>I Max current</source>
        <translation>Strom I Max</translation>
    </message>
    <message>
        <source>reference input</source>
        <translation>Referenzeingang</translation>
    </message>
    <message>
        <source>ramp-up slider position</source>
        <translation>Schieberposition Anstiegsrampe</translation>
    </message>
    <message>
        <source>ramp-down slider position</source>
        <translation>Schieberposition Abfallrampe</translation>
    </message>
    <message>
        <source>Vt</source>
        <translation>Vt</translation>
    </message>
    <message>
        <source>I Min</source>
        <translation>I Min</translation>
    </message>
    <message>
        <source>I Pol</source>
        <translation>I Pol</translation>
    </message>
    <message>
        <source>I Max</source>
        <translation>I Max</translation>
    </message>
    <message>
        <source>Enable Ramps</source>
        <translation>Enable Ramps</translation>
    </message>
    <message>
        <source>code %1</source>
        <translation>Code %1</translation>
    </message>
    <message>
        <source>%1 mA</source>
        <translation>%1 mA</translation>
    </message>
    <message>
        <source>%1 mV</source>
        <translation>%1 mV</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>nicht gesetzt</translation>
    </message>
    <message>
        <source>not in the reply</source>
        <translation>nicht in der Antwort</translation>
    </message>
    <message>
        <source>%1 (window %2, card %3)</source>
        <translation>%1 (Fenster %2, Karte %3)</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Maximum current</source>
        <translation>Maximalstrom</translation>
    </message>
    <message>
        <source>Minimum current</source>
        <translation>Minimalstrom</translation>
    </message>
    <message>
        <source>Excitation time</source>
        <translation>Erregungszeit</translation>
    </message>
    <message>
        <source>Over-supply time</source>
        <translation>Übererregungszeit</translation>
    </message>
    <message>
        <source>Coil current</source>
        <translation>Spulenstrom</translation>
    </message>
    <message>
        <source>Ramp Up</source>
        <translation>Anstiegsrampe</translation>
    </message>
    <message>
        <source>Ramp Down</source>
        <translation>Abfallrampe</translation>
    </message>
    <message>
        <source>Reference input</source>
        <translation>Referenzeingang</translation>
    </message>
</context>
<context>
    <name>vrn::Application</name>
    <message>
        <source>%1 This transfer is not in the journal; the program carries on.</source>
        <translation>%1 Diese Übertragung steht nicht im Journal; das Programm arbeitet weiter.</translation>
    </message>
</context>
<context>
    <name>vrn::CardWindow</name>
    <message>
        <source>Card holds what this window sends</source>
        <translation>Die Karte enthält, was dieses Fenster sendet</translation>
    </message>
    <message>
        <source>1 value differs: %1</source>
        <translation>1 Wert weicht ab: %1</translation>
    </message>
    <message>
        <source>%1 values differ: %2</source>
        <translation>%1 Werte weichen ab: %2</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Mehr</translation>
    </message>
    <message>
        <source>Verify after every Send</source>
        <translation>Nach jedem Senden prüfen</translation>
    </message>
    <message>
        <source>Commissioning record...</source>
        <translation>Inbetriebnahmeprotokoll...</translation>
    </message>
    <message>
        <source>Verify failed at %1</source>
        <translation>Prüfung fehlgeschlagen um %1</translation>
    </message>
    <message>
        <source>Verified at %1</source>
        <translation>Geprüft um %1</translation>
    </message>
    <message>
        <source>Read at %1</source>
        <translation>Gelesen um %1</translation>
    </message>
    <message>
        <source>Reply refused at %1</source>
        <translation>Antwort abgewiesen um %1</translation>
    </message>
    <message>
        <source>Read failed at %1</source>
        <translation>Lesen fehlgeschlagen um %1</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>nicht gesetzt</translation>
    </message>
    <message>
        <source>  (differs)</source>
        <translation>  (weicht ab)</translation>
    </message>
    <message>
        <source>The card may hold a mix of old and new values</source>
        <translation>Die Karte enthält womöglich eine Mischung aus alten und neuen Werten</translation>
    </message>
    <message>
        <source>Not compared with the card yet</source>
        <translation>Noch nicht mit der Karte verglichen</translation>
    </message>
    <message>
        <source>All values are on the card</source>
        <translation>Alle Werte sind auf der Karte</translation>
    </message>
    <message>
        <source>1 value not yet sent: %1</source>
        <translation>1 Wert noch nicht gesendet: %1</translation>
    </message>
    <message>
        <source>%1 values not yet sent: %2</source>
        <translation>%1 Werte noch nicht gesendet: %2</translation>
    </message>
    <message>
        <source>Parameter file of another card</source>
        <translation>Parameterdatei einer anderen Karte</translation>
    </message>
    <message>
        <source>&amp;Load into %1</source>
        <translation>In %1 &amp;laden</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was loaded, but some of its values were out of range and were set to the nearest value the card takes: %2.</source>
        <translation>Die Datei &quot;%1&quot; wurde geladen, aber einige ihrer Werte lagen außerhalb des Bereichs und wurden auf den nächsten Wert gesetzt, den die Karte annimmt: %2.</translation>
    </message>
    <message>
        <source>Sending %1 of %2...</source>
        <translation>Sende %1 von %2 ...</translation>
    </message>
    <message>
        <source>Sending...</source>
        <translation>Sende ...</translation>
    </message>
    <message>
        <source>Reading...</source>
        <translation>Lese ...</translation>
    </message>
    <message>
        <source>Verifying...</source>
        <translation>Prüfe ...</translation>
    </message>
    <message>
        <source>Sent at %1</source>
        <translation>Gesendet um %1</translation>
    </message>
    <message>
        <source>Send failed after %1 of %2 frames</source>
        <translation>Senden nach %1 von %2 Rahmen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Card holds another value than was sent: %1</source>
        <translation>Die Karte enthält einen anderen Wert als gesendet: %1</translation>
    </message>
    <message>
        <source>Card holds other values than were sent: %1</source>
        <translation>Die Karte enthält andere Werte als gesendet: %1</translation>
    </message>
    <message>
        <source>Not set in this window: %1</source>
        <translation>In diesem Fenster nicht gesetzt: %1</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; may not be a %2 file: %3. Load it into %2?</source>
        <translation>Die Datei &quot;%1&quot; ist womöglich keine Datei der %2: %3. Trotzdem in %2 laden?</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was not loaded for a %2 card: %3. Nothing was sent to any card.</source>
        <translation>Die Datei &quot;%1&quot; wurde nicht für eine Karte %2 geladen: %3. An keine Karte wurde etwas gesendet.</translation>
    </message>
    <message>
        <source>%1 Verify: %2</source>
        <translation>%1 Prüfen: %2</translation>
    </message>
    <message>
        <source>%1 set in the %2 window: %3</source>
        <translation>%1 im Fenster %2 gesetzt: %3</translation>
    </message>
    <message>
        <source>set in the %1 window</source>
        <translation>im Fenster %1 gesetzt</translation>
    </message>
    <message>
        <source>%1 Send carries values another window set: %2</source>
        <translation>%1 Senden enthält Werte, die ein anderes Fenster gesetzt hat: %2</translation>
    </message>
    <message>
        <source> (set in the %1 window; this window shows %2)</source>
        <translation> (im Fenster %1 gesetzt; dieses Fenster zeigt %2)</translation>
    </message>
    <message>
        <source>no one value</source>
        <translation>keinen einzelnen Wert</translation>
    </message>
    <message>
        <source>%1: window %2%3, card %4%5</source>
        <translation>%1: Fenster %2%3, Karte %4%5</translation>
    </message>
    <message>
        <source>Read the card and compare it with what this window sends, changing nothing (%1)</source>
        <translation>Die Karte lesen und mit dem vergleichen, was dieses Fenster sendet, ohne etwas zu ändern (%1)</translation>
    </message>
    <message>
        <source>Save a record of this card&apos;s values and the last Verify as a PDF to print (%1)</source>
        <translation>Ein Protokoll der Werte dieser Karte und der letzten Prüfung als PDF zum Drucken speichern (%1)</translation>
    </message>
    <message>
        <source>Verify after every Send, and the commissioning record</source>
        <translation>Nach jedem Senden prüfen und das Inbetriebnahmeprotokoll</translation>
    </message>
    <message>
        <source>Compare with a file...</source>
        <translation>Mit einer Datei vergleichen...</translation>
    </message>
    <message>
        <source>Compare a parameter file with the card or with another file, without loading it into this window</source>
        <translation>Eine Parameterdatei mit der Karte oder mit einer anderen Datei vergleichen, ohne sie in dieses Fenster zu laden</translation>
    </message>
</context>
<context>
    <name>vrn::CommissioningDialog</name>
    <message>
        <source>Commissioning record - %1</source>
        <translation>Inbetriebnahmeprotokoll - %1</translation>
    </message>
    <message>
        <source>Card serial number</source>
        <translation>Seriennummer der Karte</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Bemerkung</translation>
    </message>
    <message>
        <source>Where the card is fitted, the coil, what was checked...</source>
        <translation>Wo die Karte eingebaut ist, die Spule, was geprüft wurde...</translation>
    </message>
    <message>
        <source>Last Verify</source>
        <translation>Letzte Prüfung</translation>
    </message>
    <message>
        <source>Saved record</source>
        <translation>Gespeichertes Protokoll</translation>
    </message>
    <message>
        <source>Save as &amp;PDF...</source>
        <translation>Als &amp;PDF speichern...</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Als PDF speichern</translation>
    </message>
    <message>
        <source>Card &amp;serial number:</source>
        <translation>&amp;Seriennummer der Karte:</translation>
    </message>
    <message>
        <source>&amp;Note:</source>
        <translation>&amp;Bemerkung:</translation>
    </message>
    <message>
        <source>Last Verify: %1, %2</source>
        <translation>Letzte Prüfung: %1, %2</translation>
    </message>
    <message>
        <source>Save the commissioning record</source>
        <translation>Inbetriebnahmeprotokoll speichern</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Gespeichert in %1</translation>
    </message>
    <message>
        <source>Not verified yet: Verify (%1) before saving records what the card holds.</source>
        <translation>Noch nicht geprüft: Prüfen (%1) vor dem Speichern hält fest, was die Karte enthält.</translation>
    </message>
</context>
<context>
    <name>vrn::CompareWindow</name>
    <message>
        <source>input type</source>
        <translation>Eingangsart</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Vergleichen</translation>
    </message>
    <message>
        <source>Card model</source>
        <translation>Kartenmodell</translation>
    </message>
    <message>
        <source>File A</source>
        <translation>Datei A</translation>
    </message>
    <message>
        <source>C&amp;hoose...</source>
        <translation>&amp;Wählen...</translation>
    </message>
    <message>
        <source>Choose file A</source>
        <translation>Datei A wählen</translation>
    </message>
    <message>
        <source>File B</source>
        <translation>Datei B</translation>
    </message>
    <message>
        <source>Ch&amp;oose...</source>
        <translation>Wäh&amp;len...</translation>
    </message>
    <message>
        <source>Choose file B</source>
        <translation>Datei B wählen</translation>
    </message>
    <message>
        <source>Compare file A with</source>
        <translation>Datei A vergleichen mit</translation>
    </message>
    <message>
        <source>The card on the &amp;port</source>
        <translation>Der Karte an der &amp;Schnittstelle</translation>
    </message>
    <message>
        <source>Another &amp;file of the model (file B)</source>
        <translation>Einer anderen &amp;Datei des Modells (Datei B)</translation>
    </message>
    <message>
        <source>&amp;Compare</source>
        <translation>&amp;Vergleichen</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Hinweise</translation>
    </message>
    <message>
        <source>Values compared</source>
        <translation>Verglichene Werte</translation>
    </message>
    <message>
        <source>Card &amp;model:</source>
        <translation>&amp;Kartenmodell:</translation>
    </message>
    <message>
        <source>File &amp;A:</source>
        <translation>Datei &amp;A:</translation>
    </message>
    <message>
        <source>File &amp;B:</source>
        <translation>Datei &amp;B:</translation>
    </message>
    <message>
        <source>Port: %1</source>
        <translation>Schnittstelle: %1</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Card</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Differs</source>
        <translation>Weicht ab</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Choose file A first.</source>
        <translation>Wählen Sie zuerst Datei A.</translation>
    </message>
    <message>
        <source>Choose file B first.</source>
        <translation>Wählen Sie zuerst Datei B.</translation>
    </message>
    <message>
        <source>Reading the card...</source>
        <translation>Lese die Karte ...</translation>
    </message>
    <message>
        <source>The card was read at %1 (port: %2).</source>
        <translation>Die Karte wurde um %1 gelesen (Schnittstelle: %2).</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>nicht gesetzt</translation>
    </message>
    <message>
        <source>not in the reply</source>
        <translation>nicht in der Antwort</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>weicht ab</translation>
    </message>
    <message>
        <source>same</source>
        <translation>gleich</translation>
    </message>
    <message>
        <source>Card holds what the file sends</source>
        <translation>Die Karte enthält, was die Datei sendet</translation>
    </message>
    <message>
        <source>The files hold the same values</source>
        <translation>Die Dateien enthalten dieselben Werte</translation>
    </message>
    <message>
        <source>1 value differs: %1</source>
        <translation>1 Wert weicht ab: %1</translation>
    </message>
    <message>
        <source>%1 values differ: %2</source>
        <translation>%1 Werte weichen ab: %2</translation>
    </message>
    <message>
        <source>Not compared. %1</source>
        <translation>Nicht verglichen. %1</translation>
    </message>
</context>
<context>
    <name>vrn::PortRun</name>
    <message>
        <source>waiting</source>
        <translation>wartet</translation>
    </message>
    <message>
        <source>opening the port</source>
        <translation>öffnet die Schnittstelle</translation>
    </message>
    <message>
        <source>sending</source>
        <translation>sendet</translation>
    </message>
    <message>
        <source>sending %1/%2</source>
        <translation>sendet %1/%2</translation>
    </message>
    <message>
        <source>verifying</source>
        <translation>prüft</translation>
    </message>
    <message>
        <source>reading</source>
        <translation>liest</translation>
    </message>
    <message>
        <source>done</source>
        <translation>fertig</translation>
    </message>
    <message>
        <source>interrupted before the card was sent anything</source>
        <translation>abgebrochen, bevor der Karte etwas gesendet wurde</translation>
    </message>
    <message>
        <source>interrupted before the card&apos;s reply: nothing was changed</source>
        <translation>vor der Antwort der Karte abgebrochen: nichts wurde geändert</translation>
    </message>
    <message>
        <source>interrupted after the Send, before it was verified</source>
        <translation>nach dem Senden abgebrochen, vor dem Prüfen</translation>
    </message>
    <message>
        <source>interrupted before the card answered a frame: the card was not changed</source>
        <translation>abgebrochen, bevor die Karte einen Rahmen beantwortet hat: die Karte wurde nicht verändert</translation>
    </message>
    <message>
        <source>interrupted after %1 of %2 frames: the card may hold a mix of old and new values</source>
        <translation>nach %1 von %2 Rahmen abgebrochen: die Karte enthält womöglich eine Mischung aus alten und neuen Werten</translation>
    </message>
    <message>
        <source>%1 This transfer is not in the journal.</source>
        <translation>%1 Diese Übertragung steht nicht im Journal.</translation>
    </message>
</context>
<context>
    <name>vrn::PortWaitWindow</name>
    <message>
        <source>Wait for a new port</source>
        <translation>Auf neue Schnittstelle warten</translation>
    </message>
    <message>
        <source>&amp;Ports there now:</source>
        <translation>&amp;Vorhandene Schnittstellen:</translation>
    </message>
    <message>
        <source>Ports there now</source>
        <translation>Vorhandene Schnittstellen</translation>
    </message>
    <message>
        <source>Plug the card&apos;s USB serial adapter in now. The port that appears is opened; nothing is sent to it or to any other port.</source>
        <translation>Stecken Sie jetzt den USB-Seriell-Adapter der Karte ein. Die Schnittstelle, die dann erscheint, wird geöffnet; an sie und an jede andere Schnittstelle wird nichts gesendet.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>No serial port found</source>
        <translation>Keine serielle Schnittstelle gefunden</translation>
    </message>
    <message>
        <source>Opened: %1.</source>
        <translation>Geöffnet: %1.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Still waiting for another port.</source>
        <translation>Es wird weiter auf eine andere Schnittstelle gewartet.</translation>
    </message>
</context>
<context>
    <name>vrn::StationCycle</name>
    <message>
        <source>%1 Nothing was sent.</source>
        <translation>%1 Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>No snapshot: %1</source>
        <translation>Keine Sicherung: %1</translation>
    </message>
    <message>
        <source>The backup folder &quot;%1&quot; could not be made.</source>
        <translation>Der Sicherungsordner &quot;%1&quot; konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The snapshot &quot;%1&quot; exists already.</source>
        <translation>Die Sicherung &quot;%1&quot; gibt es schon.</translation>
    </message>
    <message>
        <source>The snapshot was not saved: %1</source>
        <translation>Die Sicherung wurde nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be loaded: nothing was sent.</source>
        <translation>Die Datei &quot;%1&quot; konnte nicht geladen werden: es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The recipe &quot;%1&quot; was changed since it was chosen: nothing was sent. Choose it again to send it as it is now.</source>
        <translation>Das Rezept &quot;%1&quot; wurde geändert, seit es gewählt wurde: es wurde nichts gesendet. Wählen Sie es erneut, um es so zu senden, wie es jetzt ist.</translation>
    </message>
    <message>
        <source>The card&apos;s reply was not compared.</source>
        <translation>Die Antwort der Karte wurde nicht verglichen.</translation>
    </message>
    <message>
        <source>The card holds the recipe, but its commissioning record was not written: %1</source>
        <translation>Die Karte enthält das Rezept, aber ihr Inbetriebnahmeprotokoll wurde nicht geschrieben: %1</translation>
    </message>
</context>
<context>
    <name>vrn::StationRow</name>
    <message>
        <source>Port &amp;%1:</source>
        <translation>Schnittstelle &amp;%1:</translation>
    </message>
    <message>
        <source>Port of row %1</source>
        <translation>Schnittstelle der Zeile %1</translation>
    </message>
    <message>
        <source>Card &amp;serial number:</source>
        <translation>&amp;Seriennummer der Karte:</translation>
    </message>
    <message>
        <source>Card serial number, row %1</source>
        <translation>Seriennummer der Karte, Zeile %1</translation>
    </message>
    <message>
        <source>Type or scan the card&apos;s serial number and press Return: the card is read and saved, sent the recipe and verified</source>
        <translation>Seriennummer der Karte eingeben oder scannen und Eingabe drücken: die Karte wird gelesen und gesichert, bekommt das Rezept gesendet und wird geprüft</translation>
    </message>
    <message>
        <source>&amp;Commission</source>
        <translation>In &amp;Betrieb nehmen</translation>
    </message>
    <message>
        <source>Commission the card on row %1</source>
        <translation>Die Karte der Zeile %1 in Betrieb nehmen</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;Verlauf...</translation>
    </message>
    <message>
        <source>History and restore, row %1</source>
        <translation>Verlauf und Wiederherstellen, Zeile %1</translation>
    </message>
    <message>
        <source>Details, row %1</source>
        <translation>Einzelheiten, Zeile %1</translation>
    </message>
    <message>
        <source>Send &amp;anyway</source>
        <translation>&amp;Trotzdem senden</translation>
    </message>
    <message>
        <source>Send the recipe without a snapshot, row %1</source>
        <translation>Das Rezept ohne Sicherung senden, Zeile %1</translation>
    </message>
    <message>
        <source>Do &amp;not send</source>
        <translation>&amp;Nicht senden</translation>
    </message>
    <message>
        <source>Do not send, row %1</source>
        <translation>Nicht senden, Zeile %1</translation>
    </message>
    <message>
        <source>The launcher&apos;s port (%1)</source>
        <translation>Die Schnittstelle des Startfensters (%1)</translation>
    </message>
    <message>
        <source>Simulated card</source>
        <translation>Simulierte Karte</translation>
    </message>
    <message>
        <source>Choose the port of this row first.</source>
        <translation>Wählen Sie zuerst die Schnittstelle dieser Zeile.</translation>
    </message>
    <message>
        <source>Reading the card...</source>
        <translation>Karte wird gelesen...</translation>
    </message>
    <message>
        <source>No snapshot</source>
        <translation>Keine Sicherung</translation>
    </message>
    <message>
        <source>Sending the recipe...</source>
        <translation>Rezept wird gesendet...</translation>
    </message>
    <message>
        <source>Restoring the snapshot...</source>
        <translation>Sicherung wird wiederhergestellt...</translation>
    </message>
    <message>
        <source>Verifying...</source>
        <translation>Wird geprüft...</translation>
    </message>
    <message>
        <source>Writing the record...</source>
        <translation>Protokoll wird geschrieben...</translation>
    </message>
    <message>
        <source>Row %1: no card commissioned yet</source>
        <translation>Zeile %1: noch keine Karte in Betrieb genommen</translation>
    </message>
    <message>
        <source>Row %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>BESTANDEN</translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation>NICHT BESTANDEN</translation>
    </message>
    <message>
        <source>Card %1</source>
        <translation>Karte %1</translation>
    </message>
    <message>
        <source>%1: recipe %2, card %3</source>
        <translation>%1: Rezept %2, Karte %3</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>nicht gesetzt</translation>
    </message>
    <message>
        <source>not in the reply</source>
        <translation>nicht in der Antwort</translation>
    </message>
    <message>
        <source>Snapshot: %1</source>
        <translation>Sicherung: %1</translation>
    </message>
    <message>
        <source>Record: %1</source>
        <translation>Protokoll: %1</translation>
    </message>
    <message>
        <source>%1 Sending the recipe now would lose the card&apos;s old values. Send anyway?</source>
        <translation>%1 Wird das Rezept jetzt gesendet, gehen die alten Werte der Karte verloren. Trotzdem senden?</translation>
    </message>
</context>
<context>
    <name>vrn::StationWindow</name>
    <message>
        <source>Commissioning station</source>
        <translation>Inbetriebnahmestation</translation>
    </message>
    <message>
        <source>Card model</source>
        <translation>Kartenmodell</translation>
    </message>
    <message>
        <source>Card &amp;model:</source>
        <translation>Karten&amp;modell:</translation>
    </message>
    <message>
        <source>none chosen</source>
        <translation>keines gewählt</translation>
    </message>
    <message>
        <source>&amp;Open recipe...</source>
        <translation>Rezept ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open the recipe, the parameter file sent to every card</source>
        <translation>Das Rezept öffnen, die Parameterdatei, die an jede Karte gesendet wird</translation>
    </message>
    <message>
        <source>&amp;Recipe:</source>
        <translation>&amp;Rezept:</translation>
    </message>
    <message>
        <source>Operator&apos;s name</source>
        <translation>Name des Bedieners</translation>
    </message>
    <message>
        <source>O&amp;perator (optional):</source>
        <translation>Bedi&amp;ener (freiwillig):</translation>
    </message>
    <message>
        <source>Backup folder for the snapshots</source>
        <translation>Sicherungsordner für die Sicherungen</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Wählen...</translation>
    </message>
    <message>
        <source>Choose the backup folder</source>
        <translation>Den Sicherungsordner wählen</translation>
    </message>
    <message>
        <source>&amp;Backup folder:</source>
        <translation>Sicherungs&amp;ordner:</translation>
    </message>
    <message>
        <source>Write a commissioning &amp;record PDF for every card</source>
        <translation>Für jede Karte ein Inbetriebnahme&amp;protokoll als PDF schreiben</translation>
    </message>
    <message>
        <source>Station state</source>
        <translation>Zustand der Station</translation>
    </message>
    <message>
        <source>&amp;Go on</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>Go on commissioning</source>
        <translation>Mit der Inbetriebnahme weitermachen</translation>
    </message>
    <message>
        <source>&amp;Add a port</source>
        <translation>Schnittstelle &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Add a row for another port</source>
        <translation>Eine Zeile für eine weitere Schnittstelle hinzufügen</translation>
    </message>
    <message>
        <source>Open recipe</source>
        <translation>Rezept öffnen</translation>
    </message>
    <message>
        <source>Parameter files (*.par);;All files (*)</source>
        <translation>Parameterdateien (*.par);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Backup folder</source>
        <translation>Sicherungsordner</translation>
    </message>
    <message>
        <source>Recipe: %1</source>
        <translation>Rezept: %1</translation>
    </message>
    <message>
        <source>The station stopped: %1 No card is commissioned without its record. Mend the cause, then press Go on.</source>
        <translation>Die Station hat angehalten: %1 Keine Karte wird ohne ihr Protokoll in Betrieb genommen. Beheben Sie die Ursache und drücken Sie dann Weiter.</translation>
    </message>
    <message>
        <source>Open the recipe first: the parameter file sent to every card.</source>
        <translation>Öffnen Sie zuerst das Rezept: die Parameterdatei, die an jede Karte gesendet wird.</translation>
    </message>
    <message>
        <source>The recipe &quot;%1&quot; cannot be read: %2. Nothing was sent.</source>
        <translation>Das Rezept &quot;%1&quot; kann nicht gelesen werden: %2. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The recipe &quot;%1&quot; was changed since it was chosen. Send it as it is now?</source>
        <translation>Das Rezept &quot;%1&quot; wurde geändert, seit es gewählt wurde. So senden, wie es jetzt ist?</translation>
    </message>
    <message>
        <source>&amp;Use it as it is now</source>
        <translation>So &amp;verwenden, wie es jetzt ist</translation>
    </message>
    <message>
        <source>Snapshots of %1 cards</source>
        <translation>Sicherungen von %1-Karten</translation>
    </message>
    <message>
        <source>History of card %1</source>
        <translation>Verlauf der Karte %1</translation>
    </message>
    <message>
        <source>&amp;Snapshots, newest first:</source>
        <translation>&amp;Sicherungen, neueste zuerst:</translation>
    </message>
    <message>
        <source>Snapshots</source>
        <translation>Sicherungen</translation>
    </message>
    <message>
        <source>&amp;Journal of this card:</source>
        <translation>&amp;Journal dieser Karte:</translation>
    </message>
    <message>
        <source>Journal entries of card %1</source>
        <translation>Journaleinträge der Karte %1</translation>
    </message>
    <message>
        <source>Nothing recorded of this card.</source>
        <translation>Von dieser Karte ist nichts verzeichnet.</translation>
    </message>
    <message>
        <source>&amp;Restore on the card of row %1</source>
        <translation>Auf der Karte der Zeile %1 &amp;wiederherstellen</translation>
    </message>
</context>
<context>
    <name>vrn::TrafficLogWindow</name>
    <message>
        <source>Traffic log</source>
        <translation>Datenverkehrsprotokoll</translation>
    </message>
    <message>
        <source>Frames and answers</source>
        <translation>Rahmen und Antworten</translation>
    </message>
    <message>
        <source>Save result</source>
        <translation>Ergebnis des Speicherns</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>Save the traffic log</source>
        <translation>Datenverkehrsprotokoll speichern</translation>
    </message>
    <message>
        <source>Write the lines shown to a text file</source>
        <translation>Die angezeigten Zeilen in eine Textdatei schreiben</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>Clear the traffic log</source>
        <translation>Datenverkehrsprotokoll leeren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Close the traffic log</source>
        <translation>Datenverkehrsprotokoll schließen</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>1 line saved to %1</source>
        <translation>1 Zeile in %1 gespeichert</translation>
    </message>
    <message>
        <source>%1 lines saved to %2</source>
        <translation>%1 Zeilen in %2 gespeichert</translation>
    </message>
    <message>
        <source>Time of day, direction, the characters and what they mean, or what happened; the newest last</source>
        <translation>Uhrzeit, Richtung, die Zeichen und was sie bedeuten, oder was geschah; das Neueste zuletzt</translation>
    </message>
    <message>
        <source>VRN-PC traffic log
Saved: %1
Program: VRN-PC %2
Port: %3

</source>
        <translation>VRN-PC Datenverkehrsprotokoll
Gespeichert: %1
Programm: VRN-PC %2
Schnittstelle: %3

</translation>
    </message>
    <message>
        <source>not known</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>Show every frame sent to the card and every answer, with what they mean (%1)</source>
        <translation>Jeden an die Karte gesendeten Rahmen und jede Antwort mit ihrer Bedeutung zeigen (%1)</translation>
    </message>
</context>
</TS>
