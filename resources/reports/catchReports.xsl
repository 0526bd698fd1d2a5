<?xml version="1.0" encoding="UTF-8"?>
<!-- What the catch, team and certificate reports share: the page style, the
     heading lines and the "nothing to show" line. A report imports this and
     supplies its own match="/" template. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="no"/>
  <xsl:param name="data" select="''"/>

  <xsl:template name="style">
    <style>
      body { font-family: 'DejaVu Sans'; font-size: 9pt; color: #222; }
      h1 { font-size: 15pt; color: #1f3a5f; margin: 0 0 2px 0; }
      h2 { font-size: 11pt; color: #1f3a5f; margin: 14px 0 4px 0; }
      .sub { color: #444; margin: 0 0 8px 0; }
      th { background: #1f3a5f; color: white; font-weight: bold; padding: 3px 5px; }
      td { padding: 2px 5px; }
      td.n { text-align: right; white-space: nowrap; }
      td.c { text-align: center; }
      td.name { white-space: nowrap; }
      td.rank { text-align: right; color: #1f3a5f; font-weight: bold; }
      td.t { text-align: right; font-weight: bold; }
      td.z { text-align: right; color: #9aa5b1; }
      tr.group td { background: #e8eef5; color: #1f3a5f; font-weight: bold; padding-top: 5px; }
      tr.best td { font-weight: bold; }
      .small { color: #666; font-size: 7.5pt; }
      .unit { color: #cfd8e3; font-size: 7.5pt; font-weight: normal; }
      p.none { color: #666; font-style: italic; }
    </style>
  </xsl:template>

  <!-- "Division — Season" under a report's title, from a row. -->
  <xsl:template name="season-line">
    <xsl:param name="row"/>
    <p class="sub">
      <xsl:value-of select="$row/divisionname"/>
      <xsl:text> &#8212; </xsl:text>
      <xsl:value-of select="$row/season | $row/seasondesc"/>
    </p>
  </xsl:template>

  <!-- "Division — date, location (inter-club)" under a trip report's title. -->
  <xsl:template name="trip-line">
    <xsl:param name="row"/>
    <p class="sub">
      <xsl:value-of select="$row/divisionname"/>
      <xsl:text> &#8212; </xsl:text>
      <xsl:value-of select="$row/season"/>
      <xsl:text>, </xsl:text>
      <xsl:value-of select="$row/tripdate"/>
      <xsl:if test="normalize-space($row/triplocation)">
        <xsl:text>, </xsl:text><xsl:value-of select="$row/triplocation"/>
      </xsl:if>
      <xsl:if test="normalize-space($row/interclubtripdesc)">
        <xsl:text> (</xsl:text><xsl:value-of select="$row/interclubtripdesc"/><xsl:text>)</xsl:text>
      </xsl:if>
    </p>
  </xsl:template>

  <!-- A catch's size: the weight and the length with their units; a blank
       for what was not measured. -->
  <xsl:template name="weight">
    <xsl:if test="number(speciesweight) &gt; 0"><xsl:value-of select="speciesweight"/></xsl:if>
  </xsl:template>
  <xsl:template name="length">
    <xsl:if test="number(specieslength) &gt; 0"><xsl:value-of select="specieslength"/></xsl:if>
  </xsl:template>

  <!-- Every other row shaded, as the first thing inside a <tr>. Cells take
       attributes rather than classes: a long report lays out much faster. -->
  <xsl:template name="stripe">
    <xsl:if test="position() mod 2 = 0"><xsl:attribute name="bgcolor">#eef2f7</xsl:attribute></xsl:if>
  </xsl:template>

  <xsl:template name="legend">
    <p class="small">* a visitor (non-member); (L) ladies; (V) veteran.</p>
  </xsl:template>
</xsl:stylesheet>
