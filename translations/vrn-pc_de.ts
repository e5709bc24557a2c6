<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
</context>
<context>
    <name>Launcher</name>
    <message>
        <source>Simulated card</source>
        <translation>Simulierte Karte</translation>
    </message>
    <message>
        <source>Other port...</source>
        <translation>Anderer Anschluss...</translation>
    </message>
    <message>
        <source>No serial port found</source>
        <translation>Keine serielle Schnittstelle gefunden</translation>
    </message>
    <message>
        <source>Other port</source>
        <translation>Anderer Anschluss</translation>
    </message>
    <message>
        <source>Device name of the serial port (for example COM7):</source>
        <translation>Gerätename der seriellen Schnittstelle (zum Beispiel COM7):</translation>
    </message>
    <message>
        <source>Device name of the serial port (for example /dev/ttyUSB1 or /dev/pts/3):</source>
        <translation>Gerätename der seriellen Schnittstelle (zum Beispiel /dev/ttyUSB1 oder /dev/pts/3):</translation>
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
        <translation>Sie dürfen die serielle Schnittstelle %1 noch nicht benutzen: Ihr Benutzer wurde nach der Anmeldung zur Gruppe &quot;%2&quot; hinzugefügt. Melden Sie sich ab und wieder an (oder starten Sie den Rechner neu) und wählen Sie die Schnittstelle dann erneut.</translation>
    </message>
    <message>
        <source>You may not use the serial port %1: its permissions do not let your user read and write it. Ask the administrator for access; serial ports usually belong to the group &quot;dialout&quot; (sudo usermod -aG dialout $USER, then log out and log in again).</source>
        <translation>Sie dürfen die serielle Schnittstelle %1 nicht benutzen: Ihre Rechte erlauben Ihrem Benutzer weder Lesen noch Schreiben. Bitten Sie den Administrator um Zugang; serielle Schnittstellen gehören meist zur Gruppe &quot;dialout&quot; (sudo usermod -aG dialout $USER, danach ab- und wieder anmelden).</translation>
    </message>
    <message>
        <source>You may not use the serial port %1: it belongs to the group &quot;%2&quot; and your user is not a member. Add your user to that group (sudo usermod -aG %2 $USER), log out and log in again (or restart the computer), then choose the port again.</source>
        <translation>Sie dürfen die serielle Schnittstelle %1 nicht benutzen: Sie gehört zur Gruppe &quot;%2&quot;, und Ihr Benutzer ist kein Mitglied. Fügen Sie Ihren Benutzer dieser Gruppe hinzu (sudo usermod -aG %2 $USER), melden Sie sich ab und wieder an (oder starten Sie den Rechner neu) und wählen Sie die Schnittstelle dann erneut.</translation>
    </message>
    <message>
        <source>The serial port %1 is already open.</source>
        <translation>Die serielle Schnittstelle %1 ist bereits geöffnet.</translation>
    </message>
    <message>
        <source>The line to %1 went dead (%2).</source>
        <translation>Die Leitung zu %1 ist tot (%2).</translation>
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
        <translation>Auf %1 läuft eine Übertragung. Warten Sie, bis ihr Knopf wieder grau ist, und wählen Sie dann die Schnittstelle.</translation>
    </message>
    <message>
        <source>No serial port is open. Choose the card&apos;s port in the &quot;Seriale&quot; menu of the launcher window (or &quot;Simulated card&quot; to try the program without a card).</source>
        <translation>Keine serielle Schnittstelle ist geöffnet. Wählen Sie die Schnittstelle der Karte im Menü &quot;Seriale&quot; des Startfensters (oder &quot;Simulierte Karte&quot;, um das Programm ohne Karte auszuprobieren).</translation>
    </message>
    <message>
        <source>A transfer is already running on %1. Wait until its button turns grey again, then try once more.</source>
        <translation>Auf %1 läuft bereits eine Übertragung. Warten Sie, bis ihr Knopf wieder grau ist, und versuchen Sie es dann noch einmal.</translation>
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
        <translation>Die Karte an %1 hat den Rahmen &quot;%2&quot; nicht innerhalb von %3 s beantwortet. Prüfen Sie, ob die Karte Strom hat, ob ihr Kabel steckt und ob sie an %1 angeschlossen ist.</translation>
    </message>
    <message>
        <source>The card on %1 did not answer the read request within %2 s. Check that the card is powered, that its cable is plugged in, and that %1 is the port it is connected to.</source>
        <translation>Die Karte an %1 hat die Leseanfrage nicht innerhalb von %2 s beantwortet. Prüfen Sie, ob die Karte Strom hat, ob ihr Kabel steckt und ob sie an %1 angeschlossen ist.</translation>
    </message>
    <message>
        <source>The card on %1 sent only %2 of the %3 characters of its read reply. Nothing was changed; check the cable and try the read again.</source>
        <translation>Die Karte an %1 hat nur %2 der %3 Zeichen ihrer Leseantwort gesendet. Nichts wurde geändert; prüfen Sie das Kabel und lesen Sie erneut.</translation>
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
</context>
<context>
    <name>ReplyCheck</name>
    <message>
        <source>The card&apos;s reply was refused and nothing was changed: </source>
        <translation>Die Antwort der Karte wurde abgewiesen, nichts wurde geändert: </translation>
    </message>
    <message>
        <source>the %1 (characters %2 to %3) reads &quot;%4&quot;, which is not a number. Check the cable and read again.</source>
        <translation>%1 (Zeichen %2 bis %3) lautet &quot;%4&quot;, das ist keine Zahl. Prüfen Sie das Kabel und lesen Sie erneut.</translation>
    </message>
    <message>
        <source>the %1 reads %2, above its largest value %3. Check that the card is of this window&apos;s model.</source>
        <translation>%1 lautet %2, über dem größten Wert %3. Prüfen Sie, ob die Karte das Modell dieses Fensters ist.</translation>
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
</context>
</TS>
