<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th_TH" sourcelanguage="en">
<context>
    <name>vesprin::BirthForm</name>
    <message>
        <source>Name as it is printed</source>
        <translation>ชื่อตามที่จะพิมพ์บนแผ่นดวง</translation>
    </message>
    <message>
        <source>Male</source>
        <translation>ชาย</translation>
    </message>
    <message>
        <source>Female</source>
        <translation>หญิง</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;ชื่อ</translation>
    </message>
    <message>
        <source>&amp;Born</source>
        <translation>วัน&amp;เกิด</translation>
    </message>
    <message>
        <source>&amp;Time</source>
        <translation>เ&amp;วลา</translation>
    </message>
    <message>
        <source>Pregnancy (months)</source>
        <translation>ตั้งครรภ์ (เดือน)</translation>
    </message>
    <message>
        <source>&amp;Gender</source>
        <translation>เ&amp;พศ</translation>
    </message>
    <message>
        <source>Month &amp;strip year</source>
        <translation>ปีของแถบ&amp;เดือน</translation>
    </message>
    <message>
        <source>BE</source>
        <translation>พ.ศ.</translation>
    </message>
    <message>
        <source>AD %1 → BE %2</source>
        <translation>ค.ศ. %1 → พ.ศ. %2</translation>
    </message>
    <message>
        <source>The name cannot hold &quot;%1&quot; (Thai and Latin letters only)</source>
        <translation>ชื่อมีอักษร &quot;%1&quot; ที่ใช้ไม่ได้ (ใช้ได้เฉพาะอักษรไทยและอังกฤษ)</translation>
    </message>
    <message>
        <source>Type the year of birth (Buddhist Era; a Christian-Era year is converted)</source>
        <translation>พิมพ์ปีเกิดเป็น พ.ศ. (พิมพ์ ค.ศ. จะแปลงให้)</translation>
    </message>
    <message>
        <source>The year must be a Buddhist-Era year from %1 to %2</source>
        <translation>ปีเกิดต้องเป็น พ.ศ. %1 ถึง %2</translation>
    </message>
    <message>
        <source>AD %1</source>
        <translation>ค.ศ. %1</translation>
    </message>
    <message>
        <source>No such day: %1 has no day %2 (วันเดือนปีเกิดไม่ถูกต้อง)</source>
        <translation>วันเดือนปีเกิดไม่ถูกต้อง: เดือน%1ไม่มีวันที่ %2</translation>
    </message>
</context>
<context>
    <name>vesprin::BoundaryPanel</name>
    <message>
        <source>Born at the large festival, %1: the year and month pillars turn then.</source>
        <translation>เกิดตรงสารทใหญ่ เวลา %1 น. เสาปีและเสาเดือนเปลี่ยนตอนนั้น</translation>
    </message>
    <message>
        <source>Born %1 min before the large festival at %2: the year and month pillars turn then.</source>
        <translation>เกิดก่อนสารทใหญ่ %1 นาที (สารทใหญ่ %2 น.) เสาปีและเสาเดือนเปลี่ยนตอนนั้น</translation>
    </message>
    <message>
        <source>Born %1 min after the large festival at %2: the year and month pillars turned then.</source>
        <translation>เกิดหลังสารทใหญ่ %1 นาที (สารทใหญ่ %2 น.) เสาปีและเสาเดือนเพิ่งเปลี่ยนตอนนั้น</translation>
    </message>
    <message>
        <source>Born on the double-hour edge, %1: the time pillar turns then.</source>
        <translation>เกิดตรงเวลาเปลี่ยนยาม %1 น. เสายามเปลี่ยนตอนนั้น</translation>
    </message>
    <message>
        <source>Born %1 min before the double-hour edge at %2: the time pillar turns then.</source>
        <translation>เกิดก่อนเปลี่ยนยาม %1 นาที (เปลี่ยนยาม %2 น.) เสายามเปลี่ยนตอนนั้น</translation>
    </message>
    <message>
        <source>Born %1 min after the double-hour edge at %2: the time pillar turned then.</source>
        <translation>เกิดหลังเปลี่ยนยาม %1 นาที (เปลี่ยนยาม %2 น.) เสายามเพิ่งเปลี่ยนตอนนั้น</translation>
    </message>
    <message>
        <source>Other chart…</source>
        <translation>ดวงอีกด้าน…</translation>
    </message>
    <message>
        <source>The four pillars on the other side of this boundary, beside the birth&apos;s own</source>
        <translation>สี่เสาของดวงอีกด้านของรอยต่อนี้ เทียบกับดวงของผู้เกิด</translation>
    </message>
    <message>
        <source>The chart on the other side</source>
        <translation>ดวงอีกด้าน</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>ยาม</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>วัน</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>เดือน</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>ปี</translation>
    </message>
    <message>
        <source>This birth</source>
        <translation>ดวงนี้</translation>
    </message>
    <message>
        <source>Other side</source>
        <translation>อีกด้าน</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
</context>
<context>
    <name>vesprin::ClientPanel</name>
    <message>
        <source>Search: name, nickname, phone or DD/MM/YYYY</source>
        <translation>ค้นหา: ชื่อ ชื่อเล่น โทรศัพท์ หรือ วว/ดด/ปปปป</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Undo delete</source>
        <translation>เอาคืน</translation>
    </message>
    <message>
        <source>Print again</source>
        <translation>พิมพ์อีกครั้ง</translation>
    </message>
    <message>
        <source>Print household</source>
        <translation>พิมพ์ทั้งครอบครัว</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>ชื่อเล่น</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>โทรศัพท์</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>Household</source>
        <translation>ครอบครัว</translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation>เปิด %1 แล้ว</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>บันทึก %1 แล้ว</translation>
    </message>
    <message>
        <source>Saved %1 as a new client</source>
        <translation>บันทึก %1 เป็นลูกค้าใหม่แล้ว</translation>
    </message>
    <message>
        <source>Deleted; Undo delete brings the client back until the desk closes</source>
        <translation>ลบแล้ว กด เอาคืน ได้จนกว่าจะปิดโปรแกรม</translation>
    </message>
    <message>
        <source>Restored</source>
        <translation>เอาคืนแล้ว</translation>
    </message>
    <message>
        <source>Open a client first</source>
        <translation>เปิดลูกค้าก่อน</translation>
    </message>
    <message>
        <source>New client</source>
        <translation>ลูกค้าใหม่</translation>
    </message>
    <message>
        <source>Close the open client: Ctrl+S then keeps the form as a new client</source>
        <translation>ปิดลูกค้าที่เปิดอยู่ แล้ว Ctrl+S จะบันทึกแบบฟอร์มเป็นลูกค้าใหม่</translation>
    </message>
    <message>
        <source>Save as new client</source>
        <translation>บันทึกเป็นลูกค้าใหม่</translation>
    </message>
    <message>
        <source>Keep the form as a new client, whichever client is open</source>
        <translation>บันทึกแบบฟอร์มเป็นลูกค้าใหม่ ไม่ว่าจะเปิดลูกค้าคนใดอยู่</translation>
    </message>
    <message>
        <source>Add to household</source>
        <translation>เพิ่มเข้าครอบครัว</translation>
    </message>
    <message>
        <source>The client chosen in the list joins the open client&apos;s household</source>
        <translation>ลูกค้าที่เลือกในรายชื่อเข้าครอบครัวเดียวกับลูกค้าที่เปิดอยู่</translation>
    </message>
    <message>
        <source>Leave household</source>
        <translation>ออกจากครอบครัว</translation>
    </message>
    <message>
        <source>The open client leaves their household</source>
        <translation>ลูกค้าที่เปิดอยู่ออกจากครอบครัว</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>ลูกค้า</translation>
    </message>
    <message>
        <source>Not kept: the form holds something the book cannot keep</source>
        <translation>ยังไม่ได้บันทึก: แบบฟอร์มมีข้อมูลที่สมุดลูกค้าเก็บไม่ได้</translation>
    </message>
    <message>
        <source>That client is no longer in the book (deleted at another desk?)</source>
        <translation>ไม่มีลูกค้ารายนี้ในสมุดแล้ว (อาจถูกลบจากเครื่องอื่น)</translation>
    </message>
    <message>
        <source>The client book cannot be used</source>
        <translation>ใช้สมุดลูกค้าไม่ได้</translation>
    </message>
    <message>
        <source>The client book is busy: another program is writing to it. Nothing was changed; try again</source>
        <translation>สมุดลูกค้าไม่ว่าง มีโปรแกรมอื่นกำลังบันทึกอยู่ ยังไม่มีอะไรเปลี่ยน ลองใหม่อีกครั้ง</translation>
    </message>
    <message>
        <source>The client book could not do it; nothing was changed</source>
        <translation>สมุดลูกค้าทำไม่สำเร็จ ยังไม่มีอะไรเปลี่ยน</translation>
    </message>
    <message>
        <source>(new: Ctrl+S adds the form as a new client)</source>
        <translation>(ใหม่: Ctrl+S บันทึกแบบฟอร์มเป็นลูกค้าใหม่)</translation>
    </message>
    <message>
        <source>New client: type the birth into the form, then Ctrl+S</source>
        <translation>ลูกค้าใหม่: กรอกวันเวลาเกิดในแบบฟอร์ม แล้วกด Ctrl+S</translation>
    </message>
    <message>
        <source>Open a client, then choose in the list who joins their household</source>
        <translation>เปิดลูกค้าก่อน แล้วเลือกในรายชื่อว่าใครจะเข้าครอบครัว</translation>
    </message>
    <message>
        <source>Choose another client in the list</source>
        <translation>เลือกลูกค้าคนอื่นในรายชื่อ</translation>
    </message>
    <message>
        <source>%1 joined the household</source>
        <translation>%1 เข้าครอบครัวแล้ว</translation>
    </message>
    <message>
        <source>Left the household</source>
        <translation>ออกจากครอบครัวแล้ว</translation>
    </message>
</context>
<context>
    <name>vesprin::DecorationsPanel</name>
    <message>
        <source>Very cold</source>
        <translation>เย็นมาก</translation>
    </message>
    <message>
        <source>Cold group</source>
        <translation>กลุ่มเย็น</translation>
    </message>
    <message>
        <source>Balanced</source>
        <translation>สมดุล</translation>
    </message>
    <message>
        <source>Hot group</source>
        <translation>กลุ่มร้อน</translation>
    </message>
    <message>
        <source>Very hot</source>
        <translation>ร้อนมาก</translation>
    </message>
    <message>
        <source>Earth</source>
        <translation>ดิน</translation>
    </message>
    <message>
        <source>Metal</source>
        <translation>ทอง</translation>
    </message>
    <message>
        <source>Water</source>
        <translation>น้ำ</translation>
    </message>
    <message>
        <source>Wood</source>
        <translation>ไม้</translation>
    </message>
    <message>
        <source>Fire</source>
        <translation>ไฟ</translation>
    </message>
    <message>
        <source>year and month</source>
        <translation>ปีกับเดือน</translation>
    </message>
    <message>
        <source>month and day</source>
        <translation>เดือนกับวัน</translation>
    </message>
    <message>
        <source>day and time</source>
        <translation>วันกับยาม</translation>
    </message>
    <message>
        <source>&amp;Powers and balance</source>
        <translation>&amp;กำลังธาตุ</translation>
    </message>
    <message>
        <source>&amp;Marks and clashes</source>
        <translation>เส้น&amp;สัมพันธ์และปะทะ</translation>
    </message>
    <message>
        <source>&amp;Note</source>
        <translation>&amp;หมายเหตุ</translation>
    </message>
    <message>
        <source>Print the element-group power text</source>
        <translation>พิมพ์ข้อความกำลังธาตุของกลุ่มดิถีและกลุ่มบริวาร</translation>
    </message>
    <message>
        <source>Figures from the chart (element powers and day master of the cast)</source>
        <translation>ใช้ตัวเลขจากดวง (กำลังธาตุและธาตุดิถีของดวงนี้)</translation>
    </message>
    <message>
        <source>Day master</source>
        <translation>ดิถี</translation>
    </message>
    <message>
        <source>&amp;Balance panel</source>
        <translation>แผง&amp;สมดุล</translation>
    </message>
    <message>
        <source>Day-master group</source>
        <translation>กลุ่มดิถี</translation>
    </message>
    <message>
        <source>Entourage group</source>
        <translation>กลุ่มบริวาร</translation>
    </message>
    <message>
        <source>Climate</source>
        <translation>ร้อน-เย็น</translation>
    </message>
    <message>
        <source>Hot</source>
        <translation>ร้อน</translation>
    </message>
    <message>
        <source>Cold</source>
        <translation>เย็น</translation>
    </message>
    <message>
        <source>e.g. 55%</source>
        <translation>เช่น 55%</translation>
    </message>
    <message>
        <source>First share</source>
        <translation>ส่วนแรก</translation>
    </message>
    <message>
        <source>Second share</source>
        <translation>ส่วนที่สอง</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>เส้นทึบ</translation>
    </message>
    <message>
        <source>Dotted</source>
        <translation>เส้นประ</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>แดงเลือดหมู</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>เขียวมะกอก</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>น้ำเงิน</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>เขียว</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>แดง</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>เส้น</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>สี</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>ลบเส้นทั้งหมด</translation>
    </message>
    <message>
        <source>Clash pictures</source>
        <translation>รูปปะทะ</translation>
    </message>
    <message>
        <source>Clash between %1</source>
        <translation>ปะทะระหว่าง%1</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>ใช้</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>ไม่ใช้</translation>
    </message>
    <message>
        <source>Analysis note, printed beside the bulb (empty: no note)</source>
        <translation>หมายเหตุการวิเคราะห์ พิมพ์ข้างรูปหลอดไฟ (เว้นว่างไว้ถ้าไม่ต้องการ)</translation>
    </message>
    <message>
        <source>These two lower signs do not clash</source>
        <translation>นักษัตรสองตัวนี้ไม่ปะทะกัน</translation>
    </message>
    <message>
        <source>The chart shows %1%2: draw the clash?</source>
        <translation>ดวงมี %1%2 ปะทะกัน ใส่รูปปะทะไหม</translation>
    </message>
</context>
<context>
    <name>vesprin::DeskWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>แ&amp;ฟ้ม</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>คำสั่ง</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;พิมพ์</translation>
    </message>
    <message>
        <source>Print &amp;to…</source>
        <translation>พิมพ์&amp;ที่เครื่องอื่น…</translation>
    </message>
    <message>
        <source>Save as P&amp;DF…</source>
        <translation>บันทึกเป็น P&amp;DF…</translation>
    </message>
    <message>
        <source>Write &amp;hand-over files…</source>
        <translation>เขียนไฟล์&amp;ส่งต่อ…</translation>
    </message>
    <message>
        <source>Save &amp;client</source>
        <translation>บันทึก&amp;ลูกค้า</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;ออก</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;มุมมอง</translation>
    </message>
    <message>
        <source>Fit &amp;width</source>
        <translation>พอดี&amp;ความกว้าง</translation>
    </message>
    <message>
        <source>&amp;100 %</source>
        <translation>&amp;100 %</translation>
    </message>
    <message>
        <source>This birth cannot be cast: %1</source>
        <translation>ผูกดวงนี้ไม่ได้: %1</translation>
    </message>
    <message>
        <source>Vesprin desk</source>
        <translation>Vesprin โต๊ะผูกดวง</translation>
    </message>
    <message>
        <source>Vesprin desk – %1</source>
        <translation>Vesprin โต๊ะผูกดวง – %1</translation>
    </message>
    <message>
        <source>Sent to the printer %1</source>
        <translation>ส่งไปเครื่องพิมพ์ %1 แล้ว</translation>
    </message>
    <message>
        <source>No printer is ready: the sheet was saved as %1</source>
        <translation>ไม่มีเครื่องพิมพ์ที่พร้อม บันทึกแผ่นดวงไว้ที่ %1</translation>
    </message>
    <message>
        <source>The sheet could not be printed: %1</source>
        <translation>พิมพ์แผ่นดวงไม่ได้: %1</translation>
    </message>
    <message>
        <source>The printer %1 cannot be used</source>
        <translation>ใช้เครื่องพิมพ์ %1 ไม่ได้</translation>
    </message>
    <message>
        <source>Sent to %1</source>
        <translation>ส่งไปที่ %1 แล้ว</translation>
    </message>
    <message>
        <source>chart</source>
        <translation>ดวง</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>บันทึก %1 แล้ว</translation>
    </message>
    <message>
        <source>Save the sheet as PDF</source>
        <translation>บันทึกแผ่นดวงเป็น PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>The PDF could not be written: %1</source>
        <translation>เขียน PDF ไม่ได้: %1</translation>
    </message>
    <message>
        <source>nothing to hand over</source>
        <translation>ยังไม่มีดวงที่จะส่งต่อ</translation>
    </message>
    <message>
        <source>Hand-over files written into %1</source>
        <translation>เขียนไฟล์ส่งต่อไว้ใน %1 แล้ว</translation>
    </message>
    <message>
        <source>Folder for the hand-over files</source>
        <translation>โฟลเดอร์ของไฟล์ส่งต่อ</translation>
    </message>
    <message>
        <source>The hand-over files could not be written: %1</source>
        <translation>เขียนไฟล์ส่งต่อไม่ได้: %1</translation>
    </message>
    <message>
        <source>The hand-over files carry the hour only; the engine reads the minute as 00 (the chart is the same).</source>
        <translation>ไฟล์ส่งต่อมีเฉพาะชั่วโมง เครื่องที่พิมพ์จะอ่านนาทีเป็น 00 (ดวงยังเหมือนเดิม)</translation>
    </message>
    <message>
        <source>No client book is open: write a PDF or the hand-over files instead</source>
        <translation>ยังไม่ได้เปิดสมุดลูกค้า บันทึกเป็น PDF หรือเขียนไฟล์ส่งต่อแทน</translation>
    </message>
    <message>
        <source>Whole &amp;page</source>
        <translation>ทั้ง&amp;หน้า</translation>
    </message>
    <message>
        <source>P&amp;aper</source>
        <translation>&amp;กระดาษ</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Letter</translation>
    </message>
    <message>
        <source>A4 (the Letter page scaled to fit)</source>
        <translation>A4 (ย่อหน้า Letter ให้พอดี)</translation>
    </message>
    <message>
        <source>Paper: A4</source>
        <translation>กระดาษ A4</translation>
    </message>
    <message>
        <source>Paper: Letter</source>
        <translation>กระดาษ Letter</translation>
    </message>
    <message>
        <source>Analysis page too</source>
        <translation>พิมพ์หน้าวิเคราะห์ด้วย</translation>
    </message>
    <message>
        <source>Every print and PDF gets the analysis page (A4) as a second page</source>
        <translation>ทุกครั้งที่พิมพ์หรือบันทึก PDF จะมีหน้าวิเคราะห์ (A4) เป็นหน้าที่สอง</translation>
    </message>
    <message>
        <source>Boundary &amp;warning margin…</source>
        <translation>ระยะเตือนใกล้&amp;รอยต่อ…</translation>
    </message>
    <message>
        <source>Boundary warning margin</source>
        <translation>ระยะเตือนใกล้รอยต่อ</translation>
    </message>
    <message>
        <source>Boundary warning margin: %1 min</source>
        <translation>ระยะเตือนใกล้รอยต่อ: %1 นาที</translation>
    </message>
    <message>
        <source>Warn of a birth within this many minutes of a large festival or a double-hour edge (0: only a birth right on one):</source>
        <translation>เตือนเมื่อเวลาเกิดห่างจากสารทใหญ่หรือเวลาเปลี่ยนยามไม่เกินกี่นาที (0: เฉพาะเกิดตรงรอยต่อพอดี):</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
</context>
<context>
    <name>vesprin::MarksPicture</name>
    <message>
        <source>Click a mark to draw it in the chosen pen; click it again to take it away</source>
        <translation>คลิกที่เส้นเพื่อวาดด้วยเส้นและสีที่เลือก คลิกอีกครั้งเพื่อลบ</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>ปี</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>เดือน</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>วัน</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>ยาม</translation>
    </message>
</context>
</TS>
