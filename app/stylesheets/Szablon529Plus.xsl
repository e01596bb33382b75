<?xml version="1.0" encoding="UTF-8"?>
<!-- Page of the IE529 message (release for export). One template on purpose: the viewer
     stores each stylesheet as a single self-contained resource. Every path below is
     relative, so the cost grows linearly with the number of goods items. -->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:doc="http://www.mf.gov.pl/xsd/AES/CC529C.xsd"
    xmlns:pl="http://www.mf.gov.pl/xsd/"
    xmlns:xs="http://www.w3.org/2001/XMLSchema"
    xmlns:fn="http://www.w3.org/2005/xpath-functions"
    xmlns:ds="http://www.w3.org/2000/09/xmldsig#"
    exclude-result-prefixes="doc pl xs fn ds">
<xsl:output method="html" version="4.0" indent="no" encoding="UTF-8"
    doctype-public="-//W3C//DTD HTML 4.01 Transitional//EN"
    doctype-system="http://www.w3.org/TR/html4/loose.dtd"/>
<xsl:template match="/">
<html>
<head>
<title></title>
<meta http-equiv="X-UA-Compatible" content="IE=9"/>
<style type="text/css">
p { text-align:right; margin:0px 0px 5px 0px }
table { border:none; width:100%; border-collapse:collapse }
.naglowek { background-color:#CCCCCC; vertical-align:top; text-align:center }
td { border-color:black; border-style:solid; vertical-align:top; border-width:1px; padding:0px }
td.szeroka { width:80% }
td.tytulowa { border-left-style:none; border-top-style:none; border-right-style:none; vertical-align:middle; border:none }
td.naglowek { border-top-style:dashed; border-bottom-style:dashed; border-top-width:5px; border-bottom-width:5px }
.Tytul { font-size:125%; font-family:sans-serif; text-decoration:none; font-weight:bold }
.OpisWart { font-size:70%; font-family:sans-serif; text-decoration:none; font-style:italic; font-weight:normal }
.Wartosc { font-size:90%; font-family:sans-serif; text-decoration:none; font-weight:bold }
.Komentarz { font-size:90%; font-family:sans-serif; text-decoration:none; font-weight:normal; font-style:italic; color:#444 }
.TrescXML { font-size:50%; font-family:monospace; text-decoration:none; font-weight:normal }
.ramka { border-width:1px; border-style:solid; padding:0px }
.ramkaDolna { border-width:0px 0px 1px 0px; border-style:solid; padding:2px }
.ramkaGorna { border-width:1px 0px 0px 0px; border-style:solid; padding:2px }
.padding { padding:2px }
.noBreak { page-break-inside:avoid }
@page { margin:0.984in 0.984in 0.984in 0.984in }
</style>
</head>
<body>
<span class="Tytul">Zwolnienie do procedury wywozu (CC529C)</span><br/><br/>
<xsl:for-each select="doc:CC529C">

<!-- Header box -->
<div class="ramka">
<div class="ramkaDolna">
<span class="Komentarz" style="float:left">Podstawowe dane</span>
<p><span class="OpisWart">Numer LRN: </span><span class="Wartosc"><xsl:value-of select="ExportOperation/LRN"/></span><span class="OpisWart">, MRN: </span><span class="Wartosc"><xsl:value-of select="ExportOperation/MRN"/></span></p>
<p><span class="OpisWart">Data przyjęcia zgłoszenia: </span><span class="Wartosc"><xsl:value-of select="ExportOperation/declarationAcceptanceDate"/></span><span class="OpisWart">, data zwolnienia: </span><span class="Wartosc"><xsl:value-of select="ExportOperation/releaseDate"/></span><xsl:if test="ControlResult/date"><span class="OpisWart">, data kontroli: </span><span class="Wartosc"><xsl:value-of select="ControlResult/date"/></span></xsl:if></p>
<xsl:if test="GoodsShipment/Consignment/referenceNumberUCR"><p><span class="OpisWart">Nr ref. przesyłki/UCR:&#160;</span><span class="Wartosc"><xsl:value-of select="GoodsShipment/Consignment/referenceNumberUCR"/></span></p></xsl:if>
</div>
<div class="padding">
<span class="Komentarz" style="float:left">Komunikat <xsl:value-of select="messageType"/></span>
<p><span class="OpisWart">Identyfikator komunikatu <xsl:value-of select="messageType"/>: </span><span class="Wartosc"><xsl:value-of select="messageIdentification"/></span><span class="OpisWart">, data utworzenia: </span><span class="Wartosc"><xsl:value-of select="preparationDateAndTime"/></span></p>
<p><span class="OpisWart">Nadawca komunikatu: </span><span class="Wartosc"><xsl:value-of select="messageSender"/></span><span class="OpisWart">, placówka podmiotu: </span><span class="Wartosc"><xsl:value-of select="officeIdentifier"/></span></p>
<p><span class="OpisWart">Odbiorca: </span><span class="Wartosc"><xsl:value-of select="messageRecipient"/></span><span class="OpisWart">, adres e-mail: </span><span class="Wartosc"><xsl:value-of select="operatorEmail"/></span></p>
<xsl:if test="correlationIdentifier"><p><span class="OpisWart">Identyfikator korelacji: </span><span class="Wartosc"><xsl:value-of select="correlationIdentifier"/></span></p></xsl:if>
</div>
</div>
<br/>

<!-- Declaration data -->
<span class="Tytul">Dane zgłoszenia</span><br/>
<table border="1" width="100%" style="margin-top:5px"><tr>
<td class="szeroka">
<div class="ramkaDolna"><span class="Komentarz">Nadawca:&#160;</span>
<xsl:for-each select="Exporter">
<span class="Wartosc"><xsl:value-of select="name"/></span><br/>
<span class="OpisWart">Adres: </span><xsl:for-each select="Address"><xsl:if test="streetAndNumber"><span class="Wartosc"><xsl:value-of select="streetAndNumber"/></span><span>, </span></xsl:if><xsl:if test="postcode"><span class="Wartosc"><xsl:value-of select="postcode"/></span><span>&#160;</span></xsl:if><xsl:if test="city"><span class="Wartosc"><xsl:value-of select="city"/></span><span>&#160;</span></xsl:if><xsl:if test="country"><span>(</span><span class="Wartosc"><xsl:value-of select="country"/></span><span>)</span></xsl:if></xsl:for-each><span>, </span>
<xsl:if test="IdentificationDataPL/nip"><span class="OpisWart">NIP: </span><span class="Wartosc"><xsl:value-of select="IdentificationDataPL/nip"/></span><span>, </span></xsl:if>
<xsl:if test="IdentificationDataPL/regon"><span class="OpisWart">REGON: </span><span class="Wartosc"><xsl:value-of select="IdentificationDataPL/regon"/></span><span>, </span></xsl:if>
<xsl:if test="IdentificationDataPL/pesel"><span class="OpisWart">PESEL: </span><span class="Wartosc"><xsl:value-of select="IdentificationDataPL/pesel"/></span><span>, </span></xsl:if>
<xsl:if test="identificationNumber"><span class="OpisWart">nr identyfikacyjny: </span><span class="Wartosc"><xsl:value-of select="identificationNumber"/></span></xsl:if>
</xsl:for-each>
</div>
<div class="ramkaDolna"><span class="Komentarz">Zgłaszający:</span>
<xsl:for-each select="Declarant">
<span class="Wartosc"><xsl:value-of select="name"/></span><br/>
<span class="OpisWart">Adres: </span><xsl:for-each select="Address"><xsl:if test="streetAndNumber"><span class="Wartosc"><xsl:value-of select="streetAndNumber"/></span><span>, </span></xsl:if><xsl:if test="postcode"><span class="Wartosc"><xsl:value-of select="postcode"/></span><span>&#160;</span></xsl:if><xsl:if test="city"><span class="Wartosc"><xsl:value-of select="city"/></span><span>&#160;</span></xsl:if><xsl:if test="country"><span>(</span><span class="Wartosc"><xsl:value-of select="country"/></span><span>)</span></xsl:if></xsl:for-each><span>, </span>
<xsl:if test="IdentificationDataPL/nip"><span class="OpisWart">NIP: </span><span class="Wartosc"><xsl:value-of select="IdentificationDataPL/nip"/></span><span>, </span></xsl:if>
<xsl:if test="IdentificationDataPL/regon"><span class="OpisWart">REGON: </span><span class="Wartosc"><xsl:value-of select="IdentificationDataPL/regon"/></span><span>, </span></xsl:if>
<xsl:if test="IdentificationDataPL/pesel"><span class="OpisWart">PESEL: </span><span class="Wartosc"><xsl:value-of select="IdentificationDataPL/pesel"/></span><span>, </span></xsl:if>
<xsl:if test="identificationNumber"><span class="OpisWart">nr identyfikacyjny: </span><span class="Wartosc"><xsl:value-of select="identificationNumber"/></span></xsl:if>
<br/><span class="OpisWart">Osoba kontaktowa: </span><span class="Wartosc"><xsl:value-of select="ContactPerson/name"/></span><span class="OpisWart">, tel.: </span><span class="Wartosc"><xsl:value-of select="ContactPerson/phoneNumber"/></span><xsl:if test="ContactPerson/eMailAddress"><span class="OpisWart">, e-mail: </span><span class="Wartosc"><xsl:value-of select="ContactPerson/eMailAddress"/></span></xsl:if>
</xsl:for-each>
</div>
<div class="ramkaDolna"><span class="Komentarz">Przedstawiciel:&#160;</span>
<xsl:for-each select="Representative">
<br/><span class="OpisWart">Rodzaj przedstawicielstwa: </span><span class="Wartosc"><xsl:choose><xsl:when test="status = '2'">bezpośrednie</xsl:when><xsl:when test="status = '3'">pośrednie</xsl:when><xsl:otherwise>nieznane</xsl:otherwise></xsl:choose></span>
<xsl:if test="IdentificationDataPL/nip"><span>, </span><span class="OpisWart">NIP: </span><span class="Wartosc"><xsl:value-of select="IdentificationDataPL/nip"/></span></xsl:if>
<xsl:if test="IdentificationDataPL/regon"><span class="OpisWart">, REGON: </span><span class="Wartosc"><xsl:value-of select="IdentificationDataPL/regon"/></span></xsl:if>
<xsl:if test="IdentificationDataPL/pesel"><span>, </span><span class="OpisWart">PESEL: </span><span class="Wartosc"><xsl:value-of select="IdentificationDataPL/pesel"/></span></xsl:if>
<xsl:if test="identificationNumber"><span>, </span><span class="OpisWart">nr identyfikacyjny: </span><span class="Wartosc"><xsl:value-of select="identificationNumber"/></span></xsl:if>
<br/><span class="OpisWart">Osoba kontaktowa: </span><span class="Wartosc"><xsl:value-of select="ContactPerson/name"/></span><span class="OpisWart">, tel.: </span><span class="Wartosc"><xsl:value-of select="ContactPerson/phoneNumber"/></span><xsl:if test="ContactPerson/eMailAddress"><span class="OpisWart">, e-mail: </span><span class="Wartosc"><xsl:value-of select="ContactPerson/eMailAddress"/></span></xsl:if>
</xsl:for-each>
</div>
<div class="padding"><span class="Komentarz">Pozwolenia:</span>
<xsl:for-each select="Authorisation">
<br/><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>.</span><span>&#160;</span><span class="OpisWart">Rodzaj pozw.: </span><span class="Wartosc"><xsl:value-of select="type"/></span><span>, </span><span class="OpisWart">numer: </span><span class="Wartosc"><xsl:value-of select="referenceNumber"/></span><xsl:if test="holderOfAuthorisation"><span>, </span><span class="OpisWart">posiadacz: </span><span class="Wartosc"><xsl:value-of select="holderOfAuthorisation"/></span></xsl:if>
</xsl:for-each>
</div>
</td>
<td class="padding"><span class="Komentarz">Zgłoszenie</span><br/>
<span class="OpisWart">Typ zgł.: </span><span class="Wartosc"><xsl:value-of select="ExportOperation/declarationType"/></span><span>, </span><span class="Wartosc"><xsl:value-of select="ExportOperation/additionalDeclarationType"/></span><br/>
<span class="OpisWart">UC wywozu: </span><span class="Wartosc"><xsl:value-of select="CustomsOfficeOfExport/referenceNumber"/></span><br/>
<span class="OpisWart">UC wyprowawdzenia: </span><span class="Wartosc"><xsl:value-of select="CustomsOfficeOfExitDeclared/referenceNumber"/></span><br/>
<span class="OpisWart">Liczba pozycji: </span><span class="Wartosc"><xsl:value-of select="count(GoodsShipment/GoodsItem)"/></span><br/>
<span class="OpisWart">Liczba opakowań: </span><span class="Wartosc"><xsl:value-of select="sum(GoodsShipment/GoodsItem/Packaging/numberOfPackages)"/></span><br/>
<span class="OpisWart">Suma wart. stat.: </span><span class="Wartosc"><xsl:value-of select="sum(GoodsShipment/GoodsItem/statisticalValue)"/></span><br/>
<xsl:for-each select="CurrencyExchange"><span class="OpisWart">Waluta:&#160;</span><span class="Wartosc"><xsl:value-of select="internalCurrencyUnit"/></span><xsl:if test="exchangeRate"><span>, </span><span class="OpisWart">kurs: </span><span class="Wartosc"><xsl:value-of select="exchangeRate"/></span></xsl:if><br/></xsl:for-each>
<xsl:if test="ExportOperation/totalAmountInvoiced"><span class="OpisWart">Wartość faktur: </span><span class="Wartosc"><xsl:value-of select="ExportOperation/totalAmountInvoiced"/></span><span>&#160;</span><span class="Wartosc"><xsl:value-of select="ExportOperation/invoiceCurrency"/></span><br/></xsl:if>
<xsl:if test="ExportOperation/specificCircumstanceIndicator"><span class="OpisWart">Spec. okoliczności: </span><span class="Wartosc"><xsl:value-of select="ExportOperation/specificCircumstanceIndicator"/></span><br/></xsl:if>
<span class="OpisWart">Dane bezpieczeństwa: </span><span class="Wartosc"><xsl:choose><xsl:when test="ExportOperation/security = '2'">tak</xsl:when><xsl:otherwise>nie</xsl:otherwise></xsl:choose></span><br/>
<xsl:if test="ExportOperation/drukEAD"><span class="OpisWart">Druk EAD: </span><span class="Wartosc"><xsl:choose><xsl:when test="ExportOperation/drukEAD = '0'">pełny</xsl:when><xsl:when test="ExportOperation/drukEAD = '1'">bez towarów</xsl:when><xsl:when test="ExportOperation/drukEAD = '2'">brak</xsl:when><xsl:otherwise><xsl:value-of select="ExportOperation/drukEAD"/></xsl:otherwise></xsl:choose></span><br/></xsl:if>
<xsl:for-each select="DeferredPayment"><span class="OpisWart">Płatność odroczona: </span><span class="Wartosc"><xsl:value-of select="deferredPayment"/></span><br/></xsl:for-each>
</td>
</tr></table>
<br/>

<!-- Shipment data -->
<span class="Tytul">Dane przesyłki</span><br/>
<xsl:for-each select="GoodsShipment">
<table border="1" width="100%" style="margin-top:5px"><tr>
<xsl:if test="AdditionalSupplyChainActor or PreviousDocument or SupportingDocument or AdditionalReference or AdditionalInformation">
<td class="szeroka">
<xsl:if test="AdditionalSupplyChainActor"><div class="ramkaDolna"><span class="Komentarz">Dodatkowi uczestnicy w łańcuchu dostaw:&#160;</span>
<xsl:for-each select="AdditionalSupplyChainActor"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="OpisWart">Rola: </span><span class="Wartosc"><xsl:value-of select="role"/></span><span>, </span><span class="OpisWart">Nr identyfikacyjny: </span><span class="Wartosc"><xsl:value-of select="identificationNumber"/></span></xsl:for-each>
</div></xsl:if>
<xsl:if test="PreviousDocument"><div class="ramkaDolna"><span class="Komentarz">Dokumenty poprzednie: </span>
<xsl:for-each select="PreviousDocument"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="type"/></span><span>-</span><span class="Wartosc"><xsl:value-of select="referenceNumber"/></span></xsl:for-each>
</div></xsl:if>
<xsl:if test="SupportingDocument"><div class="ramkaDolna"><span class="Komentarz">Dokumenty wymagane: </span>
<xsl:for-each select="SupportingDocument"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="type"/></span><span>-</span><span class="Wartosc"><xsl:value-of select="referenceNumber"/></span><xsl:choose><xsl:when test="documentLineItemNumber"><span>&#160;</span><span class="OpisWart">poz.&#160;</span><span class="Wartosc"><xsl:value-of select="documentLineItemNumber"/></span><span class="OpisWart">, organ wydający: </span><span class="Wartosc"><xsl:value-of select="issuingAuthorityName"/></span><span class="OpisWart">, data ważności: </span><span class="Wartosc"><xsl:value-of select="validityDate"/></span></xsl:when><xsl:otherwise><xsl:if test="issuingAuthorityName"><span class="OpisWart">, organ wydający: </span><span class="Wartosc"><xsl:value-of select="issuingAuthorityName"/></span></xsl:if><xsl:if test="validityDate"><span class="OpisWart">, data ważności: </span><span class="Wartosc"><xsl:value-of select="validityDate"/></span></xsl:if></xsl:otherwise></xsl:choose></xsl:for-each>
</div></xsl:if>
<xsl:if test="AdditionalReference"><div class="ramkaDolna"><span class="Komentarz">Dodatkowe odniesienia: </span>
<xsl:for-each select="AdditionalReference"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="type"/></span><span>-</span><span class="Wartosc"><xsl:value-of select="referenceNumber"/></span></xsl:for-each>
</div></xsl:if>
<xsl:if test="AdditionalInformation"><div class="padding"><span class="Komentarz">Informacja dodatkowa: </span>
<xsl:for-each select="AdditionalInformation"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="code"/></span><xsl:if test="text"><span>-</span><span class="Wartosc"><xsl:value-of select="text"/></span></xsl:if></xsl:for-each>
</div></xsl:if>
</td>
</xsl:if>
<td class="padding">
<xsl:if test="natureOfTransaction"><span class="OpisWart">Rodzaj transakcji: </span><span class="Wartosc"><xsl:value-of select="natureOfTransaction"/></span><br/></xsl:if>
<xsl:if test="countryOfExport"><span class="OpisWart">Kraj wysyłki: </span><span class="Wartosc"><xsl:value-of select="countryOfExport"/></span><br/></xsl:if>
<xsl:if test="countryOfDestination"><span class="OpisWart">Kraj przeznaczenia: </span><span class="Wartosc"><xsl:value-of select="countryOfDestination"/></span><br/></xsl:if>
<xsl:for-each select="DeliveryTerms"><span class="OpisWart">Warunki dostawy: </span><span class="Wartosc"><xsl:value-of select="incotermCode"/></span><xsl:if test="UNLocode"><span class="OpisWart">, UN/LOCODE: </span><span class="Wartosc"><xsl:value-of select="UNLocode"/></span></xsl:if><xsl:if test="location"><span>, </span><span class="Wartosc"><xsl:value-of select="location"/></span></xsl:if><xsl:if test="country"><span>, </span><span class="Wartosc"><xsl:value-of select="country"/></span></xsl:if><xsl:if test="text"><span>, </span><span class="Wartosc"><xsl:value-of select="text"/></span></xsl:if><br/></xsl:for-each>
<xsl:for-each select="Warehouse"><span class="OpisWart">Skład celny typu </span><span class="Wartosc"><xsl:value-of select="type"/></span><span class="OpisWart">, nr: </span><span class="Wartosc"><xsl:value-of select="identifier"/></span><br/></xsl:for-each>
</td>
</tr></table>
</xsl:for-each>
<br/>

<!-- Transport data -->
<div class="noBreak">
<span class="Tytul">Dane transportu</span><br/>
<xsl:for-each select="GoodsShipment/Consignment">
<table border="1" width="100%" style="margin-top:5px"><tr>
<td class="szeroka">
<xsl:for-each select="Consignor"><div class="ramkaDolna"><span class="Komentarz">Nadawca transp.: </span>
<span class="Wartosc"><xsl:value-of select="name"/></span><span>, </span><span class="OpisWart">nr identyf.:&#160;</span><span class="Wartosc"><xsl:value-of select="identificationNumber"/></span><span>, </span><span class="OpisWart">adres: </span><xsl:for-each select="Address"><xsl:if test="streetAndNumber"><span class="Wartosc"><xsl:value-of select="streetAndNumber"/></span><span>, </span></xsl:if><xsl:if test="postcode"><span class="Wartosc"><xsl:value-of select="postcode"/></span><span>&#160;</span></xsl:if><xsl:if test="city"><span class="Wartosc"><xsl:value-of select="city"/></span><span>&#160;</span></xsl:if><xsl:if test="country"><span>(</span><span class="Wartosc"><xsl:value-of select="country"/></span><span>)</span></xsl:if></xsl:for-each><span>, </span>
</div></xsl:for-each>
<xsl:for-each select="Consignee"><div class="ramkaDolna"><span class="Komentarz">Odbiorca transp.: </span>
<span class="Wartosc"><xsl:value-of select="name"/></span><span>, </span><span class="OpisWart">nr identyf.:&#160;</span><span class="Wartosc"><xsl:value-of select="identificationNumber"/></span><span>, </span><span class="OpisWart">adres: </span><xsl:for-each select="Address"><xsl:if test="streetAndNumber"><span class="Wartosc"><xsl:value-of select="streetAndNumber"/></span><span>, </span></xsl:if><xsl:if test="postcode"><span class="Wartosc"><xsl:value-of select="postcode"/></span><span>&#160;</span></xsl:if><xsl:if test="city"><span class="Wartosc"><xsl:value-of select="city"/></span><span>&#160;</span></xsl:if><xsl:if test="country"><span>(</span><span class="Wartosc"><xsl:value-of select="country"/></span><span>)</span></xsl:if></xsl:for-each><span>, </span>
</div></xsl:for-each>
<xsl:if test="TransportEquipment"><div class="ramkaDolna"><span class="Komentarz">Szczegóły transp.: </span><br/>
<xsl:for-each select="TransportEquipment"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span>
<xsl:if test="containerIdentificationNumber"><span class="OpisWart">Nr kontenera: </span><span class="Wartosc"><xsl:value-of select="containerIdentificationNumber"/></span><span>, </span></xsl:if>
<span class="OpisWart">zamknięcia:&#160;</span><span class="Wartosc"><xsl:value-of select="numberOfSeals"/></span><xsl:if test="Seal"><span>: (</span><xsl:for-each select="Seal"><xsl:if test="position() &gt; 1"><span>, </span></xsl:if><span class="Wartosc"><xsl:value-of select="identifier"/></span></xsl:for-each><span>)</span></xsl:if><span>, </span>
<xsl:if test="GoodsReference"><span class="OpisWart">numery pozycji tow.: </span><xsl:for-each select="GoodsReference"><xsl:if test="position() &gt; 1"><span>, </span></xsl:if><span class="Wartosc"><xsl:value-of select="declarationGoodsItemNumber"/></span></xsl:for-each></xsl:if>
</xsl:for-each>
</div></xsl:if>
<xsl:for-each select="LocationOfGoods"><div class="ramkaDolna"><span class="Komentarz">Lokalizacja towarów: </span>
<span class="Wartosc"><xsl:value-of select="typeOfLocation"/></span><span>, </span><span class="OpisWart">typ: </span><span class="Wartosc"><xsl:value-of select="qualifierOfIdentification"/></span><span>,&#160;</span>
<xsl:if test="authorisationNumber"><span class="OpisWart">nr pozwolenia: </span><span class="Wartosc"><xsl:value-of select="authorisationNumber"/></span><span>, </span></xsl:if>
<xsl:if test="additionalIdentifier"><span class="OpisWart">dod. identyfikator: </span><span class="Wartosc"><xsl:value-of select="additionalIdentifier"/></span><span>, </span></xsl:if>
<xsl:if test="UNLocode"><span class="OpisWart">UN/LOCODE: </span><span class="Wartosc"><xsl:value-of select="UNLocode"/></span><span>, </span></xsl:if>
<xsl:if test="CustomsOffice"><span class="OpisWart">urząd celny: </span><span class="Wartosc"><xsl:value-of select="CustomsOffice/referenceNumber"/></span><span>, </span></xsl:if>
<xsl:if test="GNSS"><span class="OpisWart">dane GPS: </span><span class="Wartosc"><xsl:value-of select="GNSS/latitude"/></span><span>, </span><span class="Wartosc"><xsl:value-of select="GNSS/longitude"/></span><span>, </span></xsl:if>
<xsl:if test="EconomicOperator"><span class="OpisWart">identyfikator podmiotu: </span><span class="Wartosc"><xsl:value-of select="EconomicOperator/identificationNumber"/></span><span>, </span></xsl:if>
<xsl:for-each select="Address"><span class="OpisWart">adres: </span><xsl:if test="streetAndNumber"><span class="Wartosc"><xsl:value-of select="streetAndNumber"/></span><span>, </span></xsl:if><xsl:if test="postcode"><span class="Wartosc"><xsl:value-of select="postcode"/></span><span>&#160;</span></xsl:if><xsl:if test="city"><span class="Wartosc"><xsl:value-of select="city"/></span><span>&#160;</span></xsl:if><xsl:if test="country"><span>(</span><span class="Wartosc"><xsl:value-of select="country"/></span><span>)</span></xsl:if><span>, </span></xsl:for-each>
<xsl:for-each select="PostcodeAddress"><span class="OpisWart">adres pocztowy: </span><xsl:if test="houseNumber"><span class="OpisWart">budynek: </span><span class="Wartosc"><xsl:value-of select="houseNumber"/></span><span>, </span></xsl:if><span class="OpisWart">kod pocztowy: </span><span class="Wartosc"><xsl:value-of select="postcode"/></span><span>&#160;</span><span>(</span><span class="Wartosc"><xsl:value-of select="country"/></span><span>)</span><span>, </span></xsl:for-each>
<xsl:for-each select="ContactPerson"><span class="OpisWart">osoba kontaktowa: </span><span class="Wartosc"><xsl:value-of select="name"/></span><span class="OpisWart">, tel.: </span><span class="Wartosc"><xsl:value-of select="phoneNumber"/></span><xsl:if test="eMailAddress"><span class="OpisWart">, e-mail: </span><span class="Wartosc"><xsl:value-of select="eMailAddress"/></span></xsl:if><span>, </span></xsl:for-each>
</div></xsl:for-each>
<xsl:if test="DepartureTransportMeans"><div class="padding"><span class="Komentarz">Środki transportu przy wyprowadzeniu </span><span class="OpisWart">(Rodzaj oznaczenia / numer / przynależność państwowa)</span><span>: </span><br/>
<xsl:for-each select="DepartureTransportMeans"><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="typeOfIdentification"/></span><span>/</span><span class="Wartosc"><xsl:value-of select="identificationNumber"/></span><span>/</span><span class="Wartosc"><xsl:value-of select="nationality"/></span><span>;&#160; </span></xsl:for-each>
</div></xsl:if>
<xsl:for-each select="ActiveBorderTransportMeans"><div class="padding"><span class="Komentarz">Środek transp. przekraczający granicę: </span>
<span class="Wartosc"><xsl:value-of select="typeOfIdentification"/></span><span>/</span><span class="Wartosc"><xsl:value-of select="identificationNumber"/></span><span>/</span><span class="Wartosc"><xsl:value-of select="nationality"/></span>
</div></xsl:for-each>
<xsl:if test="TransportDocument"><div class="ramkaGorna"><span class="Komentarz">Dokumenty transportowe: </span>
<xsl:for-each select="TransportDocument"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="type"/></span><span>-</span><span class="Wartosc"><xsl:value-of select="referenceNumber"/></span></xsl:for-each>
</div></xsl:if>
</td>
<td class="padding">
<xsl:if test="inlandModeOfTransport"><span class="OpisWart">Transport wewnętrzny: </span><span class="Wartosc"><xsl:value-of select="inlandModeOfTransport"/></span><br/></xsl:if>
<xsl:if test="modeOfTransportAtTheBorder"><span class="OpisWart">Transp. na granicy: </span><span class="Wartosc"><xsl:value-of select="modeOfTransportAtTheBorder"/></span><br/></xsl:if>
<span class="OpisWart">Masa brutto: </span><span class="Wartosc"><xsl:value-of select="grossMass"/></span><br/>
<xsl:if test="containerIndicator"><span class="OpisWart">Kontenery: </span><span class="Wartosc"><xsl:choose><xsl:when test="containerIndicator = 1">Tak</xsl:when><xsl:otherwise>Nie</xsl:otherwise></xsl:choose></span><br/></xsl:if>
<xsl:if test="referenceNumberUCR"><span class="OpisWart">Nr ref. przesyłki/UCR:&#160;</span><span class="Wartosc"><xsl:value-of select="referenceNumberUCR"/></span><br/></xsl:if>
<xsl:if test="Carrier/identificationNumber"><span class="OpisWart">Przewoźnik: </span><span class="Wartosc"><xsl:value-of select="Carrier/identificationNumber"/></span><br/></xsl:if>
<xsl:if test="TransportCharges/methodOfPayment"><span class="OpisWart">Metoda płatności:&#160;</span><span class="Wartosc"><xsl:value-of select="TransportCharges/methodOfPayment"/></span><br/></xsl:if>
<xsl:if test="CountryOfRoutingOfConsignment"><span class="OpisWart">Kraje przewozu: </span><xsl:for-each select="CountryOfRoutingOfConsignment"><xsl:if test="position() &gt; 1"><span>, </span></xsl:if><span class="Wartosc"><xsl:value-of select="country"/></span></xsl:for-each><br/></xsl:if>
</td>
</tr></table>
</xsl:for-each>
</div>
<br/>

<!-- Goods items: two rows each -->
<span class="Tytul">Dane towarów</span><br/>
<table border="1" style="margin-top:5px">
<xsl:for-each select="GoodsShipment/GoodsItem">
<tr><td class="naglowek" colspan="2"><span class="OpisWart">Pozycja </span><span class="Wartosc"><xsl:value-of select="declarationGoodsItemNumber"/></span></td></tr>
<tr>
<td class="szeroka">
<!-- Messages put the additional codes beside CommodityCode or inside it (and the additional
     procedure beside Procedure or inside it): both are read, each node once, in document order. -->
<div class="ramkaDolna"><span class="Komentarz">Towar: </span>
<xsl:for-each select="Commodity">
<span class="OpisWart">Opis: </span><span class="Wartosc"><xsl:value-of select="descriptionOfGoods"/></span><span>, </span>
<xsl:if test="cusCode"><span class="OpisWart">kod CUS: </span><span class="Wartosc"><xsl:value-of select="cusCode"/></span><span>, </span></xsl:if>
<span class="OpisWart">kod CN: </span><span class="Wartosc"><xsl:value-of select="CommodityCode/harmonizedSystemSubHeadingCode"/></span><span class="Wartosc"><xsl:value-of select="CommodityCode/combinedNomenclatureCode"/></span><span>, </span>
<xsl:if test="TARICAdditionalCode | CommodityCode/TARICAdditionalCode"><span class="OpisWart">kody dod. TARIC: </span><xsl:for-each select="TARICAdditionalCode | CommodityCode/TARICAdditionalCode"><xsl:if test="position() &gt; 1"><span>, </span></xsl:if><span class="Wartosc"><xsl:value-of select="taricAdditionalCode"/></span></xsl:for-each><span>, </span></xsl:if>
<xsl:if test="NationalAdditionalCode | CommodityCode/NationalAdditionalCode"><span class="OpisWart">krajowe kody dod.: </span><xsl:for-each select="NationalAdditionalCode | CommodityCode/NationalAdditionalCode"><xsl:if test="position() &gt; 1"><span>, </span></xsl:if><span class="Wartosc"><xsl:value-of select="nationalAdditionalCode"/></span></xsl:for-each><span>, </span></xsl:if>
<xsl:if test="DangerousGoods"><span class="OpisWart">towary niebezpieczne: </span><xsl:for-each select="DangerousGoods"><xsl:if test="position() &gt; 1"><span>, </span></xsl:if><span class="Wartosc"><xsl:value-of select="UNNumber"/></span></xsl:for-each></xsl:if>
</xsl:for-each></div>
<xsl:for-each select="Commodity/CalculationOfTaxes"><div class="ramkaDolna"><span class="Komentarz">Kalkulacje podatkowe: </span>
<span class="OpisWart">Suma cła i podatków:&#160;</span><span class="Wartosc"><xsl:value-of select="totalDutiesAndTaxesAmount"/></span><span>; </span><span class="OpisWart">Opłaty: </span>
<xsl:for-each select="DutiesAndTaxes"><br/><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="OpisWart">Rodzaj podatku: </span><span class="Wartosc"><xsl:value-of select="taxType"/></span><span class="OpisWart">, kwota do zapł.: </span><span class="Wartosc"><xsl:value-of select="payableTaxAmount"/></span><span class="OpisWart">, metoda płatn.: </span><span class="Wartosc"><xsl:value-of select="methodOfPayment"/></span>
<span class="OpisWart">, podstawa opodatkowania: </span><xsl:for-each select="TaxBase"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="OpisWart">wysokość podatku: </span><span class="Wartosc"><xsl:value-of select="taxRate"/></span><span class="OpisWart">, ilość towaru: </span><span class="Wartosc"><xsl:value-of select="quantity"/></span><span>&#160;</span><span class="Wartosc"><xsl:value-of select="measurementUnitAndQualifier"/></span><span class="OpisWart">, kwota: </span><span class="Wartosc"><xsl:value-of select="amount"/></span><span class="OpisWart">, całk. kwota podatku: </span><span class="Wartosc"><xsl:value-of select="taxAmount"/></span></xsl:for-each>
</xsl:for-each>
</div></xsl:for-each>
<xsl:for-each select="Consignor"><div class="ramkaDolna"><span class="Komentarz">Nadawca: </span>
<span class="Wartosc"><xsl:value-of select="name"/></span><span>, </span><span class="OpisWart">nr identyf.:&#160;</span><span class="Wartosc"><xsl:value-of select="identificationNumber"/></span><span>, </span><span class="OpisWart">adres: </span><xsl:for-each select="Address"><xsl:if test="streetAndNumber"><span class="Wartosc"><xsl:value-of select="streetAndNumber"/></span><span>, </span></xsl:if><xsl:if test="postcode"><span class="Wartosc"><xsl:value-of select="postcode"/></span><span>&#160;</span></xsl:if><xsl:if test="city"><span class="Wartosc"><xsl:value-of select="city"/></span><span>&#160;</span></xsl:if><xsl:if test="country"><span>(</span><span class="Wartosc"><xsl:value-of select="country"/></span><span>)</span></xsl:if></xsl:for-each><span>, </span>
</div></xsl:for-each>
<xsl:for-each select="Consignee"><div class="ramkaDolna"><span class="Komentarz">Odbiorca: </span>
<span class="Wartosc"><xsl:value-of select="name"/></span><span>, </span><span class="OpisWart">nr identyf.:&#160;</span><span class="Wartosc"><xsl:value-of select="identificationNumber"/></span><span>, </span><span class="OpisWart">adres: </span><xsl:for-each select="Address"><xsl:if test="streetAndNumber"><span class="Wartosc"><xsl:value-of select="streetAndNumber"/></span><span>, </span></xsl:if><xsl:if test="postcode"><span class="Wartosc"><xsl:value-of select="postcode"/></span><span>&#160;</span></xsl:if><xsl:if test="city"><span class="Wartosc"><xsl:value-of select="city"/></span><span>&#160;</span></xsl:if><xsl:if test="country"><span>(</span><span class="Wartosc"><xsl:value-of select="country"/></span><span>)</span></xsl:if></xsl:for-each><span>, </span>
</div></xsl:for-each>
<xsl:if test="AdditionalSupplyChainActor"><div class="ramkaDolna"><span class="Komentarz">Dodatkowi uczestnicy w łańcuchu dostaw: </span>
<xsl:for-each select="AdditionalSupplyChainActor"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span class="OpisWart">. Rola: </span><span class="Wartosc"><xsl:value-of select="role"/></span><span class="OpisWart">, Nr identyfikacyjny: </span><span class="Wartosc"><xsl:value-of select="identificationNumber"/></span></xsl:for-each>
</div></xsl:if>
<div class="ramkaDolna"><span class="Komentarz">Pozwolenia: </span>
<xsl:for-each select="Authorisation"><br/><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>.</span><span class="OpisWart"> Rodzaj pozw.: </span><span class="Wartosc"><xsl:value-of select="type"/></span><span class="OpisWart">, numer: </span><span class="Wartosc"><xsl:value-of select="referenceNumber"/></span><xsl:if test="holderOfAuthorisation"><span class="OpisWart">, posiadacz: </span><span class="Wartosc"><xsl:value-of select="holderOfAuthorisation"/></span></xsl:if></xsl:for-each>
</div>
<div class="ramkaDolna"><span class="Komentarz">Opakowania </span><span class="OpisWart">(Liczba / rodzaj / oznaczenia)</span><span>: </span>
<xsl:for-each select="Packaging"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="numberOfPackages"/></span><span>/</span><span class="Wartosc"><xsl:value-of select="typeOfPackages"/></span><span>/</span><span class="Wartosc"><xsl:value-of select="shippingMarks"/></span></xsl:for-each>
</div>
<xsl:if test="PreviousDocument"><div class="ramkaDolna"><span class="Komentarz">Dokumenty poprzednie: </span>
<xsl:for-each select="PreviousDocument"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="type"/></span><span>-</span><span class="Wartosc"><xsl:value-of select="referenceNumber"/></span><span class="OpisWart">, nr pozycji tow.: </span><span class="Wartosc"><xsl:value-of select="goodsItemNumber"/></span><xsl:if test="numberOfPackages or typeOfPackages"><span class="OpisWart">, opakowania: </span><span class="Wartosc"><xsl:value-of select="numberOfPackages"/></span><span>&#160;</span><span class="Wartosc"><xsl:value-of select="typeOfPackages"/></span></xsl:if><span class="OpisWart">, ilość: </span><span class="Wartosc"><xsl:value-of select="quantity"/></span><span>&#160;</span><span class="Wartosc"><xsl:value-of select="measurementUnitAndQualifier"/></span></xsl:for-each>
</div></xsl:if>
<xsl:if test="PreviousDocumentSpecialProceduresPL"><div class="ramkaDolna"><span class="Komentarz">Dokumenty poprzednie - procedura gospodarcza: </span>
<xsl:for-each select="PreviousDocumentSpecialProceduresPL"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="type"/></span><span>-</span><span class="Wartosc"><xsl:value-of select="referenceNumber"/></span><span class="OpisWart">, pozycje tow.: </span><xsl:for-each select="GoodsItem"><xsl:if test="position() &gt; 1"><span>, </span></xsl:if><span class="Wartosc"><xsl:value-of select="goodsItemNumber"/></span></xsl:for-each><xsl:if test="numberOfPackages or typeOfPackages"><span class="OpisWart">, opakowania: </span><span class="Wartosc"><xsl:value-of select="numberOfPackages"/></span><span>&#160;</span><span class="Wartosc"><xsl:value-of select="typeOfPackages"/></span></xsl:if><span class="OpisWart">, ilość: </span><span class="Wartosc"><xsl:value-of select="quantity"/></span><span>&#160;</span><span class="Wartosc"><xsl:value-of select="measurementUnitAndQualifier"/></span></xsl:for-each>
</div></xsl:if>
<xsl:if test="SupportingDocument"><div class="padding"><span class="Komentarz">Dokumenty wymagane: </span>
<xsl:for-each select="SupportingDocument"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="type"/></span><span>-</span><span class="Wartosc"><xsl:value-of select="referenceNumber"/></span><xsl:if test="documentLineItemNumber"><span>&#160;</span><span class="OpisWart">poz.&#160;</span><span class="Wartosc"><xsl:value-of select="documentLineItemNumber"/></span></xsl:if><span class="OpisWart">, organ wydający: </span><span class="Wartosc"><xsl:value-of select="issuingAuthorityName"/></span><span class="OpisWart">, ilość: </span><span class="Wartosc"><xsl:value-of select="quantity"/></span><span>&#160;</span><span class="Wartosc"><xsl:value-of select="measurementUnitAndQualifier"/></span><span class="OpisWart">, data ważności: </span><span class="Wartosc"><xsl:value-of select="validityDate"/></span><span class="OpisWart">, kwota: </span><span class="Wartosc"><xsl:value-of select="amount"/></span><span>&#160;</span><span class="Wartosc"><xsl:value-of select="currency"/></span></xsl:for-each>
</div></xsl:if>
<xsl:if test="AdditionalReference"><div class="ramkaGorna"><span class="Komentarz">Dodatkowe odniesienia: </span>
<xsl:for-each select="AdditionalReference"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="type"/></span><span>-</span><span class="Wartosc"><xsl:value-of select="referenceNumber"/></span></xsl:for-each>
</div></xsl:if>
<xsl:if test="AdditionalInformation"><div class="ramkaGorna"><span class="Komentarz">Informacja dodatkowa: </span>
<xsl:for-each select="AdditionalInformation"><xsl:if test="position() &gt; 1"><span>;&#160; </span></xsl:if><span class="Wartosc"><xsl:value-of select="sequenceNumber"/></span><span>. </span><span class="Wartosc"><xsl:value-of select="code"/></span><xsl:if test="text"><span>-</span><span class="Wartosc"><xsl:value-of select="text"/></span></xsl:if></xsl:for-each>
</div></xsl:if>
<xsl:for-each select="TransportCharges"><div class="ramkaGorna"><span class="Komentarz">Opłaty transportowe: </span>
<span class="OpisWart">metoda płatności: </span><span class="Wartosc"><xsl:value-of select="methodOfPayment"/></span>
</div></xsl:for-each>
</td>
<td class="padding">
<span class="OpisWart">Wartość stat.: </span><span class="Wartosc"><xsl:value-of select="statisticalValue"/></span><br/>
<span class="OpisWart">Rodzaj transakcji: </span><span class="Wartosc"><xsl:value-of select="natureOfTransaction"/></span><br/>
<span class="OpisWart">Nr ref. przesyłki/UCR: </span><span class="Wartosc"><xsl:value-of select="referenceNumberUCR"/></span><br/>
<span class="OpisWart">Procedura: </span><span class="Wartosc"><xsl:value-of select="Procedure/requestedProcedure"/></span><span class="Wartosc"><xsl:value-of select="Procedure/previousProcedure"/></span><span>; </span><xsl:for-each select="AdditionalProcedure | Procedure/AdditionalProcedure"><xsl:if test="position() &gt; 1"><span>, </span></xsl:if><span class="Wartosc"><xsl:value-of select="additionalProcedure"/></span></xsl:for-each><br/>
<span class="OpisWart">Kraj wysyłki: </span><span class="Wartosc"><xsl:value-of select="countryOfExport"/></span><br/>
<span class="OpisWart">Kraj przeznaczenia: </span><span class="Wartosc"><xsl:value-of select="countryOfDestination"/></span><br/>
<span class="OpisWart">Kraj pochodzenia: </span><span class="Wartosc"><xsl:value-of select="Origin/countryOfOrigin"/></span><br/>
<span class="OpisWart">Region wysyłki: </span><span class="Wartosc"><xsl:value-of select="Origin/regionOfDispatch"/></span><br/>
<span class="OpisWart">Masa brutto: </span><span class="Wartosc"><xsl:value-of select="Commodity/GoodsMeasure/grossMass"/></span><br/>
<span class="OpisWart">Masa netto: </span><span class="Wartosc"><xsl:value-of select="Commodity/GoodsMeasure/netMass"/></span><br/>
<span class="OpisWart">Ilość w jedn. uzup.: </span><span class="Wartosc"><xsl:value-of select="Commodity/GoodsMeasure/supplementaryUnits"/></span><br/>
</td>
</tr>
</xsl:for-each>
</table>
<br/>

<span class="OpisWart">Wydruk z programu firmy Velmora Software (www.velmora-software.pl) przygotowany na podstawie pliku CC529C</span><br/>
</xsl:for-each>
</body>
</html>
</xsl:template>
</xsl:stylesheet>
